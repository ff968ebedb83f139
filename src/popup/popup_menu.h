#pragma once
// Turning app.entries into the popup menu.
#include "platform/handles.h"
#include "platform/menus.h"

namespace vorlix {

// Builds the popup, shows it unless CheckOnly, and destroys the item icons after it has closed.
void buildPopupMenu();
// Fills and attaches the folder-content menu of the current folder-submenu record.
void fillFolderSubmenu(int position);
// The menu notice hook of the popup: a folder submenu opening is filled with the folder as it is now;
// the end of the menu loop is noted in app.menuLoopEnded. True when it filled a folder submenu.
bool popupMenuNotice(platform::MenuNotice notice, platform::MenuHandle menu, int position);

} // namespace vorlix
