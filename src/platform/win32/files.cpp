#include "platform/files.h"

#include <windows.h>

#include "platform/device_names.h"
#include "platform/win32/guards.h"
#include "platform/win32/wide.h"

namespace platform {

using win32::FileHandle;

namespace {

// Only a file on disk ends: a character device (NUL, a port, Wine's Z:\dev\zero) may answer reads for
// ever or never, a pipe may never answer.
bool onDisk(HANDLE file) { return GetFileType(file) == FILE_TYPE_DISK; }

} // namespace

bool readFileExclusive(std::u16string_view path, std::string& bytes) {
    std::u16string p(path);
    if (namesDevice(p)) return false;
    FileHandle file(CreateFileW(wz(p), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !onDisk(file.get())) return false;
    bytes.clear();
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > MaxWholeReadBytes) return false;
    if (size.QuadPart > 0) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return false;
        if (got == 0) break;
        bytes.append(chunk, got);
        if (static_cast<std::int64_t>(bytes.size()) > MaxWholeReadBytes) return false; // it grew meanwhile
    }
    return true;
}

bool readFileExclusiveInSteps(std::u16string_view path, const std::function<bool(std::string_view)>& take) {
    std::u16string p(path);
    if (namesDevice(p)) return false;
    FileHandle file(CreateFileW(wz(p), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !onDisk(file.get())) return false;
    std::string chunk(65536, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) || got == 0) break;
        if (!take(std::string_view(chunk.data(), got))) break;
    }
    return true;
}

bool readFileStart(std::u16string_view path, std::size_t count, std::string& bytes) {
    return readFileAt(path, 0, count, bytes);
}

bool readFileAt(std::u16string_view path, std::int64_t offset, std::size_t count, std::string& bytes) {
    std::u16string p(path);
    if (namesDevice(p)) return false;
    FileHandle file(CreateFileW(wz(p), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !onDisk(file.get())) return false;
    LARGE_INTEGER at{};
    at.QuadPart = offset;
    if (offset < 0 || !SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return false;
    bytes.assign(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        DWORD chunk = 0;
        const DWORD ask = static_cast<DWORD>(count - got < 65536 ? count - got : 65536);
        if (!ReadFile(file.get(), bytes.data() + got, ask, &chunk, nullptr) || chunk == 0) break;
        got += chunk;
    }
    bytes.resize(got);
    return true;
}

std::int64_t pathSizeOrKind(std::u16string_view path) {
    std::u16string p(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (namesDevice(p)) return PathIsDevice;
    if (p.empty() || !GetFileAttributesExW(wz(p), GetFileExInfoStandard, &data)) return PathMissing;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return PathIsFolder;
    // No access asked: the handle only answers what the object is, so a file held open without sharing
    // still opens.
    FileHandle file(CreateFileW(wz(p), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid() && !onDisk(file.get())) return PathIsDevice;
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool fileAttributes(std::u16string_view path, std::uint32_t& attributes) {
    std::u16string p(path);
    DWORD a = GetFileAttributesW(wz(p));
    if (a == INVALID_FILE_ATTRIBUTES) return false;
    attributes = a;
    return true;
}

bool volumeIsReadOnly(std::u16string_view path) {
    if (path.size() < 2) return false;
    std::u16string root(path.substr(0, 2));
    root += u"\\";
    DWORD flags = 0;
    if (!GetVolumeInformationW(wz(root), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) return false;
    return (flags & FILE_READ_ONLY_VOLUME) != 0;
}

std::u16string ansiToUtf16(std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return {};
    std::u16string out(static_cast<std::size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wbuf(out), n);
    return out;
}

std::string utf16ToAnsi(std::u16string_view text) {
    if (text.empty()) return {};
    const wchar_t* src = reinterpret_cast<const wchar_t*>(text.data());
    int n = WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace platform
