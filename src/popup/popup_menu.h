#pragma once
// Turning app.entries into the popup menu.
#include <cstdint>

#include "platform/handles.h"

namespace vorlix {

// Builds the popup, shows it unless CheckOnly, and destroys the item icons after it has closed.
void buildPopupMenu();
// Fills and attaches the folder-content menu of the current folder-submenu record.
void fillFolderSubmenu(int position);
// Message callback of the program's windows: folder submenus opening, the menu loop ending.
// Returns true when it handled the message.
bool menuMessageHook(platform::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

} // namespace vorlix
