// bare_popup.exe: the least a Win32 program does to show a three-item popup at the mouse; the yardstick
// for how long a popup takes to reach the screen on this machine.
#include <windows.h>

#ifdef BARE_WITH_IMPORTS
#include <commctrl.h>
#include <shellapi.h>

// The same program importing the libraries that Vorlix.exe imports (comctl32, shell32), with its manifest:
// what those imports alone cost at start-up. The calls are never made; they only keep the imports.
volatile bool neverTrue = false;
void keepImports() {
    if (!neverTrue) return;
    InitCommonControls();
    SHGetFileInfoW(nullptr, 0, nullptr, 0, 0);
}
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef BARE_WITH_IMPORTS
    keepImports();
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"BarePopupOwner";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(0, wc.lpszClassName, L"bare popup", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 instance, nullptr);
    if (!owner) return 1;
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"First");
    AppendMenuW(menu, MF_STRING, 2, L"Second");
    AppendMenuW(menu, MF_STRING, 3, L"Third");
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x - 1, at.y - 1, 0, owner, nullptr);
    DestroyMenu(menu);
    DestroyWindow(owner);
    return 0;
}
