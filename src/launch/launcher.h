#pragma once
#include <cstdint>

namespace vorlix {

// Starts entry index of app.entries; returns the next cycle state (LaunchFailed, Restart, OpenEditor, Quit).
int launchEntry(std::int64_t index, int modifiers);
// Starts the file at position of app.folderItems from the folder submenu listed last.
void launchFolderItem(std::int64_t position);

} // namespace vorlix
