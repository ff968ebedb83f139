// editor_stand_in.exe: a window titled like the configuration editor of another Vorlix instance, so that
// the cases can see Vorlix bring "its" editor to the front instead of opening a second one.
//
//   editor_stand_in TITLE LOG
//
// Shows a normal top-level window titled TITLE, minimised and not active. Appends a line to LOG (UTF-8)
// when something happens to it: "ready" once it is on screen, "restored" when it leaves the minimised
// state, "activated" when it becomes the active window. Ends on WM_CLOSE; exit code 2 for bad usage.
#include <windows.h>

#include <string>

namespace {

std::wstring logPath;
bool minimised = true;

void note(const char* line) {
    HANDLE file = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    std::string text = std::string(line) + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            minimised = true;
        } else if (minimised && (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)) {
            minimised = false;
            note("restored");
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) note("activated");
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (__argc != 3) return 2;
    logPath = __wargv[2];
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = L"EditorStandIn";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, __wargv[1], WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    note("ready");
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
