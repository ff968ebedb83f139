#pragma once
// Scripted file system for the native tests. Paths are compared case-insensitively, as on Windows.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/file_write.h"

namespace fake {

struct FakeFile {
    std::string bytes;   // what a reader sees
    std::string durable; // what a power cut leaves: the bytes as of the last flush (all of a file a test puts)
    std::uint32_t attributes = 0x20; // archive
    bool folder = false;
    bool lockedByOtherProcess = false; // an exclusive open fails
    bool readFails = false;            // it opens, but reading its content fails (a pulled stick, a lost share)
    std::uint32_t links = 1;           // names of the file (hard links); the other names are not modelled
    // A symbolic link: the full path it leads to. Opening a link opens its target; renaming, deleting and
    // the attributes concern the link itself, as on Windows.
    std::u16string linkTarget;
    std::uint64_t id = 0; // the file's identity: new for every file made, kept by a rename
};

// A file opened through platform/file_write.h.
struct OpenWriteFile {
    std::u16string path;
    std::size_t position = 0;
};

struct FilesState {
    std::map<std::u16string, FakeFile> files; // key: upper-cased full path
    std::map<std::u16string, bool> readOnlyVolumes; // key: "X:" upper-cased

    // Writing (platform/file_write.h) and listing a folder (platform/folders.h). Every call counts as one
    // step; a test makes a chosen step fail.
    std::map<platform::WriteHandle, OpenWriteFile> openFiles;
    std::uintptr_t nextHandle = 1;
    std::uint64_t nextId = 1;
    int writeSteps = 0;           // calls made so far, failed ones included
    int failStep = 0;             // that call (1-based) fails, once; 0: none
    int crashFromStep = 0;        // that call and every later one fails, as if the process had died there
    std::string failCall;         // the first call of this function ("createNewFile", ...) fails
    std::uint32_t failError = 29; // the error of an injected failure (ERROR_WRITE_FAULT)
    int moveBusyCount = 0;        // so many renames fail first with a sharing violation (a virus scanner)
    std::uint32_t lastError = 0;
    int filesCreated = 0; // files made by the writing calls (not by putFile)
    int filesDeleted = 0;
};

FilesState& files();
void resetFiles();

// Helpers for tests.
void putFile(const std::u16string& path, const std::string& bytes, std::uint32_t attributes = 0x20);
void putFolder(const std::u16string& path);
// A symbolic link at path that leads to target (a full path).
void putSymbolicLink(const std::u16string& path, const std::u16string& target);
FakeFile* findFile(const std::u16string& path);
// What a power cut does: every file keeps only what was flushed.
void powerCut();
// What the system does for a process that died: its open files are closed, their content stays.
void closeAllWriteFiles();
// Counts one call of the writing or listing functions; true when the test wants this one to fail.
bool injectedFailure(const char* call);

} // namespace fake
