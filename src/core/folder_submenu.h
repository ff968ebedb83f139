#pragma once
// The record of one folder-content submenu of the current popup.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace vorlix {

struct FolderSubmenu {
    std::int64_t id = 0;                 // identifier (entry position) of the "files" entry
    platform::MenuHandle parentMenu = 0; // menu that holds the entry's item
    platform::MenuHandle submenu = 0;    // placeholder, then the folder-content menu
    std::u16string patterns;             // expanded parameters: the file filter
    std::u16string folder;               // expanded directory, ending in "\" unless empty
    std::u16string opener;               // program that opens a chosen file, or empty
};

} // namespace vorlix
