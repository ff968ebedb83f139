#pragma once
// Scripted window rectangles for the native tests.
#include <map>

#include "platform/handles.h"

namespace fake {

struct WindowGeometryState {
    std::map<platform::WindowHandle, platform::Rect> rects; // windows that exist, by handle
};

WindowGeometryState& windowGeometry();
void resetWindowGeometry();

} // namespace fake
