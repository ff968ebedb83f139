#pragma once
// Scripted folder contents for the native tests. Names come back in the order they were put, the way a
// file system returns them in its own order: first those put with putFolderNames, then the files and
// folders of the fake file system (fake_files.h) in that folder, under their upper-cased names.
#include <map>
#include <string>
#include <vector>

#include "platform/folders.h"

namespace fake {

struct FoldersState {
    std::map<std::u16string, std::vector<platform::FoundName>> folders; // key: upper-cased full path, no final "\"
    std::vector<std::u16string> searches; // every search string asked for
    bool failAll = false; // the search cannot start (e.g. access denied)
};

FoldersState& folders();
void resetFolders();

// Helpers for tests: a folder (".." and "." included, as a file system lists them) and its objects.
void putFolderNames(const std::u16string& folder, const std::vector<std::u16string>& files,
                    const std::vector<std::u16string>& subfolders = {});
// Windows-style wildcard match ("*", "?"; "*.*" also matches names without a dot), ignoring case.
bool wildcardMatch(std::u16string_view pattern, std::u16string_view name);

} // namespace fake
