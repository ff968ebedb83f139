#pragma once
// Scripted icon sources and a ledger of every icon handle, so tests can tell which icon an item got and
// that each one is destroyed exactly once.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace fake {

struct ExtractRequest {
    std::u16string file;
    int index = 0;
};

struct IconsState {
    // Icons that exist: "FILE,index" with the file upper-cased (files are found regardless of case).
    std::set<std::u16string> fileIcons;
    // Names the shell has an icon for, exactly as asked.
    std::set<std::u16string> shellNames;
    std::vector<ExtractRequest> extractRequests;
    std::vector<std::u16string> shellRequests;
    std::map<platform::IconHandle, std::u16string> live; // handle -> what it shows
    std::uintptr_t nextHandle = 0x5000;
    int copies = 0; // icons copied for drawn menu items
    int destroyed = 0;
    int badDestroys = 0; // destroying a handle that is not live
};

IconsState& icons();
void resetIcons();

// Helpers for tests.
void putFileIcon(const std::u16string& file, int index);
// What a live handle shows ("FILE,index", "shell:name" or "program:size"), empty when the handle is not live.
std::u16string iconSource(platform::IconHandle icon);
// A new handle showing what a live one shows, as a drawn menu item makes; 0 for a handle not live.
platform::IconHandle copyIcon(platform::IconHandle icon);

} // namespace fake
