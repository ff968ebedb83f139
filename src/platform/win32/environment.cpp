#include "platform/environment.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace platform {

std::u16string moduleFileName() {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, wbuf(path), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2); // truncated: try again with room
    }
}

std::u16string processCommandLine() { return fromWide(GetCommandLineW()); }

bool getEnvironmentVariable(std::u16string_view name, std::u16string& value) {
    std::u16string n(name);
    DWORD size = GetEnvironmentVariableW(wz(n), nullptr, 0);
    if (size == 0) return false;
    std::u16string buffer(size, u'\0');
    DWORD got = GetEnvironmentVariableW(wz(n), wbuf(buffer), size);
    if (got >= size) return false;
    buffer.resize(got);
    value = buffer;
    return true;
}

bool setEnvironmentVariable(std::u16string_view name, std::u16string_view value) {
    std::u16string n(name), v(value);
    return SetEnvironmentVariableW(wz(n), wz(v)) != FALSE;
}

bool expandEnvironmentStrings(std::u16string_view text, std::u16string& result) {
    // Both its buffers hold at most 32K characters: a longer text would be expanded cut short.
    if (text.size() >= MaxExpansionChars) return false;
    std::u16string source(text);
    std::u16string buffer(MAX_PATH, u'\0');
    for (;;) {
        DWORD n = ExpandEnvironmentStringsW(wz(source), wbuf(buffer), static_cast<DWORD>(buffer.size()));
        // Asked for a longer result, it reports the size it would need but fills only part of a buffer
        // that large, with a zero in the middle.
        if (n == 0 || n > MaxExpansionChars) return false;
        if (n <= buffer.size()) {
            buffer.resize(n - 1); // n counts the terminating zero
            if (buffer.find(u'\0') != std::u16string::npos) return false;
            result = buffer;
            return true;
        }
        buffer.assign(n, u'\0'); // n is the size needed: ask again instead of garbling the text
    }
}

bool fullPathName(std::u16string_view path, std::u16string& result) {
    std::u16string source(path);
    std::u16string buffer(MAX_PATH, u'\0');
    for (;;) {
        DWORD n = GetFullPathNameW(wz(source), static_cast<DWORD>(buffer.size()), wbuf(buffer), nullptr);
        if (n == 0) return false;
        if (n < buffer.size()) {
            buffer.resize(n);
            result = buffer;
            return true;
        }
        buffer.assign(n + 1, u'\0');
    }
}

std::u16string currentDirectory() {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::u16string buffer(size, u'\0');
    DWORD n = GetCurrentDirectoryW(size, wbuf(buffer));
    if (n == 0 || n >= size) return {};
    buffer.resize(n);
    return buffer;
}

bool setCurrentDirectory(std::u16string_view directory) {
    std::u16string d(directory);
    return SetCurrentDirectoryW(wz(d)) != FALSE;
}

int driveType(std::u16string_view drive) {
    std::u16string root(drive);
    root += u"\\";
    return static_cast<int>(GetDriveTypeW(wz(root)));
}

std::u16string localeNativeLanguageName() {
    wchar_t buffer[64] = {};
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SNATIVELANGNAME, buffer, 64);
    if (n <= 0) return {};
    return fromWide(buffer);
}

std::u16string lowerCase(std::u16string_view text) {
    std::u16string out(text);
    if (!out.empty()) CharLowerBuffW(wbuf(out), static_cast<DWORD>(out.size()));
    return out;
}

std::u16string upperCase(std::u16string_view text) {
    std::u16string out(text);
    if (!out.empty()) CharUpperBuffW(wbuf(out), static_cast<DWORD>(out.size()));
    return out;
}

std::uint64_t tickCount() { return GetTickCount64(); }

void sleepMs(std::uint32_t ms) { Sleep(ms); }

} // namespace platform
