// help_viewer_stand_in.exe: stands in for the compiled-help viewer, so that the help cases can see which
// file the configuration editor asked for and whether the viewer it started is ended again.
//
// Registered as the program that opens ".chm" files, it is started as `help_viewer_stand_in FILE`. It
// writes "viewer-<process id>.txt" into the folder named by the environment variable
// VORLIX_VIEWER_LOG_DIR (else beside itself), UTF-8 "key=value" lines:
//   pid=<process id>   cmdline=<GetCommandLineW>   argc=<n>   argv0=... argv1=...   cwd=<current directory>
// The log appears by rename, so once it exists it is complete. Then it shows a window titled
// "Help viewer stand-in <process id>" and runs until that window gets WM_CLOSE or the process is ended.
#include <windows.h>

#include <string>

#include "../log_file.h"

namespace {

std::wstring variable(const wchar_t* name) {
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return L"";
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

std::wstring folderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ownPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::wstring currentDirectory() {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(size, L'\0');
    dir.resize(GetCurrentDirectoryW(size, dir.data()));
    return dir;
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    std::wstring log = L"pid=" + pid + L"\ncmdline=" + GetCommandLineW() + L"\n";
    log += L"argc=" + std::to_wstring(__argc) + L"\n";
    for (int i = 0; i < __argc; ++i) log += L"argv" + std::to_wstring(i) + L"=" + __wargv[i] + L"\n";
    log += L"cwd=" + currentDirectory() + L"\n";

    std::wstring folder = variable(L"VORLIX_VIEWER_LOG_DIR");
    if (folder.empty()) folder = folderOf(ownPath());
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    if (!writeAtomically(folder + L"viewer-" + pid + L".txt", utf8(log))) return 1;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"VorlixHelpViewerStandIn";
    RegisterClassW(&windowClass);
    const std::wstring title = L"Help viewer stand-in " + pid;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 300,
                                  120, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
