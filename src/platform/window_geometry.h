#pragma once
// Where windows are: their rectangles on the screen, moving them, and the rule for points in rectangles.
#include <cstdint>

#include "platform/handles.h"

namespace platform {

// GetWindowRect: the outer rectangle (frame included) in screen coordinates. false for no window or a
// destroyed one.
bool windowScreenRect(WindowHandle window, Rect& rect);

// Moves the window's top-left corner to (x, y), size and z-order unchanged, without activating it.
bool moveWindow(WindowHandle window, std::int32_t x, std::int32_t y);

// PtInRect's rule: the left and top edges are inside, the right and bottom edges are not.
constexpr bool pointInRect(const Rect& rect, Point point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

} // namespace platform
