#pragma once
// The menu that one popup cycle shows: the menu file read into app.entries, the read-only test, and the
// three entries that stand in for a menu file that is missing or has nothing in it.
#include "platform/handles.h"

namespace vorlix {

// Reads app.menuFilePath into app.entries, completes the submenu headers and relocates drive letters when
// app.driveRelocation asks for it. After a syntax error it shows "Error in menu file, line ..." (owned by
// owner) and returns false.
bool readCycleMenu(platform::WindowHandle owner);

// The menu file has the read-only attribute or lies on a read-only volume; a query that fails counts as
// writable.
bool menuFileIsReadOnly();

// Replaces app.entries by the remark "Menu file not found", "Create new menu" and "Cancel".
void putSubstituteMenu();

} // namespace vorlix
