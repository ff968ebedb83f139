// Finding, creating, showing and activating top-level windows; the main window's label.
#include "platform/top_windows.h"

#include <windows.h>

#include "platform/controls.h"
#include "platform/win32/ui_internal.h"
#include "platform/win32/wide.h"

namespace platform {

using win32::hwnd;
using win32::handleOf;

WindowHandle findTopLevelWindow(const std::u16string& title) { return handleOf(FindWindowW(nullptr, wz(title))); }

namespace {

BOOL CALLBACK addTitledWindow(HWND window, LPARAM list) {
    const std::u16string title = windowText(handleOf(window));
    if (!title.empty()) reinterpret_cast<std::vector<TitledWindow>*>(list)->push_back({handleOf(window), title});
    return TRUE;
}

} // namespace

std::vector<TitledWindow> titledTopLevelWindows() {
    std::vector<TitledWindow> list;
    EnumWindows(addTitledWindow, reinterpret_cast<LPARAM>(&list));
    return list;
}

bool workArea(Rect& area) {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return false;
    area = {r.left, r.top, r.right, r.bottom};
    return true;
}

Point screenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

WindowHandle createFramedPopup(const std::u16string& title, int clientWidth, int clientHeight,
                               WindowHandle owner) {
    const ATOM windowClass = win32::programWindowClass();
    if (windowClass == 0) return 0;
    const DWORD style = WS_POPUP | WS_THICKFRAME;
    RECT outer{0, 0, clientWidth, clientHeight};
    if (!AdjustWindowRectEx(&outer, style, FALSE, 0)) return 0;
    const wchar_t* className = reinterpret_cast<const wchar_t*>(static_cast<ULONG_PTR>(windowClass)); // MAKEINTATOM
    HWND window = CreateWindowExW(0, className, wz(title), style, 0, 0, widthOf(outer),
                                  heightOf(outer), hwnd(owner), nullptr, GetModuleHandleW(nullptr), nullptr);
    return handleOf(window);
}

// Declared with the controls; made here beside the main window it belongs to.
WindowHandle createLabel(WindowHandle parent, int controlId, const Rect& bounds, const std::u16string& text,
                         Colour textColour) {
    const DWORD style = WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | SS_NOPREFIX;
    HWND label = CreateWindowExW(0, L"STATIC", wz(text), style, bounds.left, bounds.top, bounds.width(),
                                 bounds.height(), hwnd(parent),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr),
                                 nullptr);
    if (label) win32::rememberTextColour(label, textColour);
    return handleOf(label);
}

bool destroyWindow(WindowHandle window) { return DestroyWindow(hwnd(window)) != FALSE; }

bool windowExists(WindowHandle window) { return window != 0 && IsWindow(hwnd(window)) != FALSE; }

bool showWindow(WindowHandle window, int command) { return ShowWindow(hwnd(window), command) != FALSE; }

bool setTopmost(WindowHandle window, bool topmost) {
    // Wine moves the popups a window owns that lie above it (its tooltip, topmost by nature) among the
    // topmost windows first, then places the window behind them, where it counts as topmost only when a
    // topmost window follows: it stayed as it was. Without the tooltip the window goes first; the next mouse
    // message makes the tooltip again, above it. On Windows the tooltip is merely made again.
    if (topmost) win32::dropTooltipOf(hwnd(window));
    return SetWindowPos(hwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE) != FALSE;
}

bool setRedraw(WindowHandle window, bool redraw) {
    SendMessageW(hwnd(window), WM_SETREDRAW, redraw ? TRUE : FALSE, 0); // answers nothing
    return !redraw || RedrawWindow(hwnd(window), nullptr, nullptr,
                                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN) != FALSE;
}

bool animateWindow(WindowHandle window, std::uint32_t durationMs, unsigned flags) {
    return AnimateWindow(hwnd(window), durationMs, flags) != FALSE;
}

bool setForegroundWindow(WindowHandle window) { return SetForegroundWindow(hwnd(window)) != FALSE; }

WindowHandle activeWindow() { return handleOf(GetActiveWindow()); }

} // namespace platform
