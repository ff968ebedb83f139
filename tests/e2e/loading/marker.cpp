// marker.dll: a library that says when it is loaded. tests/e2e/loading/cases/planted.sh copies it beside a
// Vorlix.exe under the names of system libraries; when a process loads one of those copies, it appends
// "<this library's path>|<the process's program>" as one UTF-8 line to the file named by the variable
// VORLIX_MARKER_LOG. It stands in for nothing: a process that calls into it finds none of the functions
// that it wanted, which is as it should be, since no copy may load at all.
#include <windows.h>

#include <string>

#include "../log_file.h"

namespace {

std::wstring modulePath(HMODULE module) {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path;
}

void appendLine(const std::wstring& log, const std::string& line) {
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t log[1024];
    const DWORD length = GetEnvironmentVariableW(L"VORLIX_MARKER_LOG", log, 1024);
    if (length == 0 || length >= 1024) return TRUE;
    appendLine(log, utf8(modulePath(instance)) + "|" + utf8(modulePath(nullptr)) + "\n");
    return TRUE;
}
