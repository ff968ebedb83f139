// probe.exe: the program that end-to-end tests let Vorlix start. It writes down how it was started and ends.
//
// Log file: the path in the environment variable VORLIX_PROBE_LOG, else probe-log.txt beside probe.exe.
// The log is written to "<log>.tmp" and then renamed into place, so a test waiting for the log never
// reads half of it. UTF-8, one "key=value" line each:
//
//   cmdline=<GetCommandLineW>     argc=<n>     argv0=... argv1=...     cwd=<current directory>
//   exe=<own path>    startup-flags=<STARTUPINFO dwFlags>    show=<wShowWindow, when STARTF_USESHOWWINDOW>
//   file=, dir=, Vdrive=          <value>, or <unset> when the variable does not exist
// Line breaks and tabs inside values are written as <CR>, <LF> and <TAB>.
//
// A GUI-subsystem program, so that starting it creates no console and its show state is its own.
#include <windows.h>

#include <string>
#include <vector>

#include "log_file.h"

namespace {

// Line breaks would split a "key=value" line; write them as <CR> and <LF> (not backslash escapes, which
// Windows paths would make ambiguous). Tabs as <TAB>, so trailing ones stay visible.
std::wstring oneLine(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r') out += L"<CR>";
        else if (c == L'\n') out += L"<LF>";
        else if (c == L'\t') out += L"<TAB>";
        else out += c;
    }
    return out;
}

std::wstring variable(const wchar_t* name, bool& exists) {
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    exists = size != 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    if (size == 0) return L"";
    std::wstring value(size, L'\0');
    DWORD got = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(got);
    return value;
}

std::wstring variableLine(const wchar_t* name) {
    bool exists = false;
    std::wstring value = variable(name, exists);
    return std::wstring(name) + L"=" + (exists ? oneLine(value) : L"<unset>") + L"\n";
}

std::wstring currentDirectory() {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(size, L'\0');
    DWORD got = GetCurrentDirectoryW(size, dir.data());
    dir.resize(got);
    return dir;
}

std::wstring ownPath() {
    std::wstring path(32768, L'\0');
    DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(got);
    return path;
}

std::wstring logPath() {
    bool exists = false;
    std::wstring fromEnvironment = variable(L"VORLIX_PROBE_LOG", exists);
    if (!fromEnvironment.empty()) return fromEnvironment;
    std::wstring path = ownPath();
    size_t slash = path.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + L"probe-log.txt";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);

    std::wstring log;
    log += L"cmdline=" + oneLine(GetCommandLineW()) + L"\n";
    log += L"argc=" + std::to_wstring(argc) + L"\n";
    for (int i = 0; i < argc; ++i) log += L"argv" + std::to_wstring(i) + L"=" + oneLine(argv[i]) + L"\n";
    log += L"cwd=" + oneLine(currentDirectory()) + L"\n";
    log += L"exe=" + ownPath() + L"\n";
    log += L"startup-flags=" + std::to_wstring(startup.dwFlags) + L"\n";
    log += L"show=" +
           ((startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_wstring(startup.wShowWindow) : std::wstring(L"<none>")) +
           L"\n";
    log += variableLine(L"file");
    log += variableLine(L"dir");
    log += variableLine(L"Vdrive");

    return writeAtomically(logPath(), utf8(log)) ? 0 : 1;
}
