#pragma once
#include <cstddef>
#include <cstdint>

namespace vorlix {

// The longest file or address Windows can start: 32,767 characters with the terminating zero, both for an
// extended-length path ("Maximum Path Length Limitation") and for the command line CreateProcessW hands
// a program (a browser gets the address there). The parameters travel on that line too.
constexpr std::size_t MaxStartChars = 32767;

// Starts entry index of app.entries; returns the next cycle state (LaunchFailed, Restart, OpenEditor, Quit).
int launchEntry(std::int64_t index, int modifiers);
// Starts the file at position of app.folderItems from the folder submenu listed last.
void launchFolderItem(std::int64_t position);

} // namespace vorlix
