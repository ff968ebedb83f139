#include "platform/window_geometry.h"

#include "platform/fake/fake_window_geometry.h"

namespace fake {

WindowGeometryState& windowGeometry() {
    static WindowGeometryState state;
    return state;
}

void resetWindowGeometry() { windowGeometry() = WindowGeometryState{}; }

} // namespace fake

namespace platform {

bool windowScreenRect(WindowHandle window, Rect& rect) {
    auto& rects = fake::windowGeometry().rects;
    auto it = rects.find(window);
    if (window == 0 || it == rects.end()) return false;
    rect = it->second;
    return true;
}

} // namespace platform
