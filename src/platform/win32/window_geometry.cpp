#include "platform/window_geometry.h"

#include <windows.h>

#include "platform/win32/native_handles.h"

namespace platform {

bool windowScreenRect(WindowHandle window, Rect& rect) {
    RECT r{};
    if (!GetWindowRect(win32::native<HWND>(window), &r)) return false;
    rect = {r.left, r.top, r.right, r.bottom};
    return true;
}

bool moveWindow(WindowHandle window, std::int32_t x, std::int32_t y) {
    return SetWindowPos(win32::native<HWND>(window), nullptr, x, y, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

} // namespace platform
