#pragma once
// Scripted window rectangles and the active window for the native tests.
#include <map>

#include "platform/handles.h"

namespace fake {

struct WindowGeometryState {
    std::map<platform::WindowHandle, platform::Rect> rects; // windows that exist, by handle
    platform::WindowHandle active = 0;
};

WindowGeometryState& windowGeometry();
void resetWindowGeometry();

} // namespace fake
