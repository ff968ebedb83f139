#pragma once
// The bytes of a menu file: its text, the encoding it is written in, and the check that the reader gets the
// same text back.
#include <string>
#include <vector>

#include "core/menu_entry.h"

namespace vorlix {

// The text of the file: "label=definition" with trailing ";" removed and CR LF, for every entry with a label
// that is not a placeholder (menufile/storable.h).
std::u16string menuFileText(const std::vector<MenuEntry>& entries);

// The bytes of the file in exactly the given form. ANSI never has a byte-order mark.
std::string encodeMenuFile(const std::vector<MenuEntry>& entries, MenuEncoding encoding, bool hasBom);

struct MenuFileBytes {
    std::string bytes;
    MenuEncoding encoding = MenuEncoding::Utf8;
    bool hasBom = true;
};

// The bytes to save: the given form when the reader gets the same text back from it, otherwise UTF-8 with
// a byte-order mark (characters that the ANSI code page lacks, or ANSI bytes that would be taken for UTF-8).
MenuFileBytes menuFileBytes(const std::vector<MenuEntry>& entries, MenuEncoding encoding, bool hasBom);

} // namespace vorlix
