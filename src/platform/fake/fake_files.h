#pragma once
// Scripted file system for the native tests. Paths are compared case-insensitively, as on Windows.
#include <cstdint>
#include <map>
#include <string>

namespace fake {

struct FakeFile {
    std::string bytes;
    std::uint32_t attributes = 0x20; // archive
    bool folder = false;
    bool lockedByOtherProcess = false; // an exclusive open fails
};

struct FilesState {
    std::map<std::u16string, FakeFile> files; // key: upper-cased full path
    std::map<std::u16string, bool> readOnlyVolumes; // key: "X:" upper-cased
    int readCount = 0; // exclusive opens that succeeded
};

FilesState& files();
void resetFiles();

// Helpers for tests.
void putFile(const std::u16string& path, const std::string& bytes, std::uint32_t attributes = 0x20);
void putFolder(const std::u16string& path);
FakeFile* findFile(const std::u16string& path);

} // namespace fake
