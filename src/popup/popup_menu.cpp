#include "popup/popup_menu.h"

#include "app/app_state.h"

namespace vorlix {

// Placeholder until the popup is built: identifiers start after the entries.
void buildPopupMenu() { app.firstFolderItemId = static_cast<std::int64_t>(app.entries.size()); }

void fillFolderSubmenu(int) {}

bool menuMessageHook(platform::WindowHandle, unsigned, std::uintptr_t, std::intptr_t) { return false; }

} // namespace vorlix
