#pragma once
// Enumerating a folder with a wildcard pattern.
#include <string>
#include <vector>

namespace platform {

struct FoundName {
    std::u16string name; // without folder
    bool folder = false; // FILE_ATTRIBUTE_DIRECTORY ("." and ".." included)
};

// FindFirstFileW / FindNextFileW / FindClose over search (folder, "\", pattern), appending every object
// found in the order the file system gives it. false when the search cannot start (nothing found included).
bool enumerateFolder(const std::u16string& search, std::vector<FoundName>& found);

} // namespace platform
