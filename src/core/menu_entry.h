#pragma once
// One accepted line of the menu file and its decoded form.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace vorlix {

struct MenuEntry {
    std::u16string label;       // as read: stripped, not expanded
    std::u16string definition;  // as read: stripped, not expanded, DEL characters kept
    platform::IconHandle icon = 0; // owned by the popup builder while the popup is shown
};

// Kind bits; at most one is set. The first six follow the order of the keyword list. Scoped, since names
// such as Files and Cancel would say little on their own.
struct EntryKind {
    enum Bit : std::uint32_t {
        Configuration = 1,
        Vorlix = 2,
        Files = 4,
        Remark = 8,
        Cancel = 16,
        Submenu = 32,
        Explorer = 64,
        WebLink = 128,
    };
};

struct EntryFields {
    std::u16string label;
    std::u16string command;
    std::u16string parameters; // DEL already turned back into ";"
    std::u16string directory;
    std::u16string runMode;
    std::u16string iconSpec;
    std::u16string expandedCommand;
    std::u16string expandedParameters;
    std::u16string expandedDirectory;
    std::uint32_t kind = 0;
};

enum class MenuEncoding { Utf8, Utf16Le, Ansi };

// Stands for ";" inside the parameters field of a stored definition.
constexpr char16_t ParameterSemicolon = 127;

} // namespace vorlix
