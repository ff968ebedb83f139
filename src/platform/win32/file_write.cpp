#include "platform/file_write.h"

#include <windows.h>

#include "platform/win32/native_handles.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

WriteHandle fromHandle(HANDLE h) { return h == INVALID_HANDLE_VALUE ? 0 : win32::typed<WriteHandle>(h); }
HANDLE toHandle(WriteHandle file) { return win32::native<HANDLE>(file); }

} // namespace

WriteHandle createNewFile(std::u16string_view path) {
    std::u16string p(path);
    return fromHandle(CreateFileW(wz(p), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

WriteHandle openForUpdate(std::u16string_view path) {
    std::u16string p(path);
    return fromHandle(
        CreateFileW(wz(p), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

WriteHandle openForQuery(std::u16string_view path) {
    std::u16string p(path);
    return fromHandle(CreateFileW(wz(p), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
}

WriteHandle openFolderForQuery(std::u16string_view path) {
    std::u16string p(path);
    // Only FILE_FLAG_BACKUP_SEMANTICS lets CreateFileW open a folder.
    return fromHandle(CreateFileW(wz(p), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

bool writeFile(WriteHandle file, std::string_view bytes, std::size_t& written) {
    written = 0;
    // One call writes at most what a DWORD can count; the caller writes in smaller pieces anyway.
    DWORD ask = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
    DWORD done = 0;
    BOOL ok = WriteFile(toHandle(file), bytes.data(), ask, &done, nullptr);
    written = done;
    return ok != FALSE;
}

bool flushFile(WriteHandle file) { return FlushFileBuffers(toHandle(file)) != FALSE; }

bool seekToStart(WriteHandle file) {
    LARGE_INTEGER zero{};
    return SetFilePointerEx(toHandle(file), zero, nullptr, FILE_BEGIN) != FALSE;
}

bool setEndOfFile(WriteHandle file) { return SetEndOfFile(toHandle(file)) != FALSE; }

bool closeFile(WriteHandle file) { return CloseHandle(toHandle(file)) != FALSE; }

bool linkCount(WriteHandle file, std::uint32_t& links) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(toHandle(file), &info)) return false;
    links = info.nNumberOfLinks;
    return true;
}

bool fileIdentity(WriteHandle file, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(toHandle(file), &info)) return false;
    identity = {info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return true;
}

bool finalPathName(WriteHandle file, std::u16string& path) {
    // Too small a buffer is answered with the size needed; the name may grow in between, so the second
    // answer is checked too.
    path.assign(MAX_PATH, u'\0');
    DWORD n = GetFinalPathNameByHandleW(toHandle(file), wbuf(path), static_cast<DWORD>(path.size()), 0);
    if (n >= path.size()) {
        path.assign(n, u'\0');
        n = GetFinalPathNameByHandleW(toHandle(file), wbuf(path), static_cast<DWORD>(path.size()), 0);
    }
    if (n == 0 || n >= path.size()) return false;
    path.resize(n);
    return true;
}

bool setFileAttributes(std::u16string_view path, std::uint32_t attributes) {
    std::u16string p(path);
    return SetFileAttributesW(wz(p), attributes) != FALSE;
}

bool moveFileReplacing(std::u16string_view from, std::u16string_view to) {
    std::u16string f(from);
    std::u16string t(to);
    return MoveFileExW(wz(f), wz(t), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool deleteFile(std::u16string_view path) {
    std::u16string p(path);
    return DeleteFileW(wz(p)) != FALSE;
}

std::uint32_t lastError() { return GetLastError(); }

} // namespace platform
