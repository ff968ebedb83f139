#include "platform/window_geometry.h"

#include <windows.h>

namespace platform {

bool windowScreenRect(WindowHandle window, Rect& rect) {
    RECT r{};
    if (!GetWindowRect(reinterpret_cast<HWND>(window), &r)) return false;
    rect = {r.left, r.top, r.right, r.bottom};
    return true;
}

WindowHandle activeWindow() { return reinterpret_cast<WindowHandle>(GetActiveWindow()); }

} // namespace platform
