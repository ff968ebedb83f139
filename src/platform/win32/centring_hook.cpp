#include "platform/centring_hook.h"

#include <windows.h>

#include "platform/win32/native_handles.h"

namespace platform {

namespace {

// The class atom of dialogs, message boxes included.
constexpr WORD DialogClassAtom = 32770;

// One centred box at a time (boxes are modal on the one GUI thread), so the hook's state is global.
HHOOK activeHook = nullptr;
DialogPlacement activePlacement = nullptr;
HWND placedBox = nullptr; // created and placed, not yet activated

bool isDialogClass(LPCWSTR className) {
    if (IS_INTRESOURCE(className)) return LOWORD(reinterpret_cast<ULONG_PTR>(className)) == DialogClassAtom;
    return className && lstrcmpiW(className, L"#32770") == 0;
}

LRESULT CALLBACK centringProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && activePlacement) {
        CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        Point position;
        if (isDialogClass(cs->lpszClass) && activePlacement(cs->cx, cs->cy, position)) {
            cs->x = position.x;
            cs->y = position.y;
            placedBox = reinterpret_cast<HWND>(wParam);
        }
    } else if (code == HCBT_ACTIVATE && placedBox && reinterpret_cast<HWND>(wParam) == placedBox) {
        // The box has its final size now and may have centred itself on the screen meanwhile.
        // Only the first activation: a box the user has moved stays where it was put.
        placedBox = nullptr;
        RECT r{};
        Point position;
        HWND box = reinterpret_cast<HWND>(wParam);
        if (GetWindowRect(box, &r) && activePlacement(widthOf(r), heightOf(r), position)) {
            SetWindowPos(box, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return CallNextHookEx(activeHook, code, wParam, lParam);
}

} // namespace

HookHandle installCentringHook(DialogPlacement placement) {
    activePlacement = placement;
    placedBox = nullptr;
    activeHook = SetWindowsHookExW(WH_CBT, centringProc, nullptr, GetCurrentThreadId());
    if (!activeHook) activePlacement = nullptr;
    return win32::typed<HookHandle>(activeHook);
}

bool removeCentringHook(HookHandle hook) {
    bool removed = UnhookWindowsHookEx(win32::native<HHOOK>(hook)) != FALSE;
    if (win32::native<HHOOK>(hook) == activeHook) {
        activeHook = nullptr;
        activePlacement = nullptr;
        placedBox = nullptr;
    }
    return removed;
}

} // namespace platform
