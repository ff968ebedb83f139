#pragma once
// Reading the menu file into app.entries.
#include <string>
#include <string_view>

#include "core/menu_entry.h"

namespace vorlix {

// Reads app.menuFilePath into app.entries; sets app.lineNumber, app.menuEncoding, app.menuHasBom.
// true when the file was read to its end or cannot be opened at all; false on the first syntax error.
bool loadMenuFile();

// Inserts the submenu header lines that the file leaves out.
void completeSubmenuHeaders();

} // namespace vorlix
