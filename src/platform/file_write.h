#pragma once
// Writing files: the steps of a safe replace (temporary file, flush, rename) and of an in-place rewrite.
// Each function is one system call; the order, the retries and the clean-up live in menufile/safe_replace.cpp.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/handles.h"
#include "platform/owned.h"

namespace platform {

// An open file. 0 means "none" (the Win32 side maps INVALID_HANDLE_VALUE to 0).
using WriteHandle = Handle<struct WriteKind>;

// Creates a file that must not exist yet (CREATE_NEW), for writing, shared with nobody.
WriteHandle createNewFile(std::u16string_view path);
// Opens for reading and writing, shared with nobody, creating the file when it is missing (OPEN_ALWAYS).
// The position is the first byte.
WriteHandle openForUpdate(std::u16string_view path);
// Opens without read or write access, sharing everything, only to ask about the file (or the folder).
WriteHandle openForQuery(std::u16string_view path);
WriteHandle openFolderForQuery(std::u16string_view path);

// One WriteFile call: written tells how much of bytes went out, which may be less than asked.
bool writeFile(WriteHandle file, std::string_view bytes, std::size_t& written);
bool flushFile(WriteHandle file);   // FlushFileBuffers
bool seekToStart(WriteHandle file); // SetFilePointerEx to 0
bool setEndOfFile(WriteHandle file);
bool closeFile(WriteHandle file);
// Number of names (hard links) of the file, from GetFileInformationByHandle.
bool linkCount(WriteHandle file, std::uint32_t& links);
// What makes a file the same file whatever path reached it: its volume and its index on that volume.
struct FileIdentity {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};
// GetFileInformationByHandle.
bool fileIdentity(WriteHandle file, FileIdentity& identity);
// The path that the system resolved the open file or folder to (GetFinalPathNameByHandleW, "\\?\" form):
// symbolic links along the way are followed.
bool finalPathName(WriteHandle file, std::u16string& path);

bool setFileAttributes(std::u16string_view path, std::uint32_t attributes);
// MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: a rename in one step.
bool moveFileReplacing(std::u16string_view from, std::u16string_view to);
bool deleteFile(std::u16string_view path);

// GetLastError after a failed call, with the codes the writer acts on.
std::uint32_t lastError();
constexpr std::uint32_t ErrorAccessDenied = 5;
constexpr std::uint32_t ErrorSharingViolation = 32;
constexpr std::uint32_t ErrorLockViolation = 33;
constexpr std::uint32_t ErrorFileExists = 80;
constexpr std::uint32_t ErrorAlreadyExists = 183;

// Closes its file when it goes out of scope. A close that can fail and matters (after writing a file that
// is about to replace another) is done with close(), which reports the result.
using ScopedWriteHandle = Owned<WriteHandle, closeFile>;

} // namespace platform
