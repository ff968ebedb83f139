#pragma once
// What a line of the menu file can hold. The reader splits a line at its first "=" (which must come early),
// splits the definition at ";", ends a line at CR, LF or NUL and turns DEL in the parameters into ";".
// Text that breaks one of these rules would read back as something else, or lock the user out.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/menu_entry.h"

namespace vorlix {

// The "=" must stand within the first 1023 characters of the stripped line, so a label is at most 1022.
constexpr std::size_t MaxLabelLength = 1022;

enum class FieldRole { Label, Command, Parameters, Directory, IconSpec };

// true when text, stored in that field, reads back unchanged (apart from the spaces around it, which the
// reader strips by design). For a label, text is the label as it is stored.
bool storableField(std::u16string_view text, FieldRole role);

// Imported text (a shortcut's arguments, an Internet shortcut's address) made storable where that cannot
// change its meaning: each run of line breaks and NULs becomes one space, and a DEL in parameters goes.
// A ";" in a path is kept: it cannot be stored, and the entry is refused when committed.
std::u16string storableImport(std::u16string_view text, FieldRole role);

// The last guard of the writer: the line of an entry ends where the entry ends and its "=" is the first.
bool entryLineIsWhole(const MenuEntry& entry);

// An entry inserted for editing and never committed (no command, not a separator): no line is written for
// it, as for an entry without a label.
bool entryIsPlaceholder(const MenuEntry& entry);

} // namespace vorlix
