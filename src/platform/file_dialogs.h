#pragma once
// The shell's file and folder pickers.
#include <string>

#include "platform/handles.h"

namespace platform {

// The open-file dialog (GetOpenFileNameW) owned by owner, titled title, starting in initialFolder, with
// one filter (its description and its ";"-separated patterns), selected. The chosen file must exist.
// true and the path when a file was chosen; false when cancelled or failed.
bool pickFileToOpen(WindowHandle owner, const std::u16string& title, const std::u16string& initialFolder,
                    const std::u16string& filterDescription, const std::u16string& filterPatterns,
                    std::u16string& path);
// The folder browser (SHBrowseForFolderW) owned by owner, with title above the tree, starting at
// startFolder. true and the folder's path when one was chosen.
bool pickFolder(WindowHandle owner, const std::u16string& title, const std::u16string& startFolder,
                std::u16string& path);

} // namespace platform
