#pragma once
// Where windows are: queries that the message boxes, the launcher and the info window need.
#include "platform/handles.h"

namespace platform {

// GetWindowRect: the outer rectangle (frame included) in screen coordinates. false for no window or a
// destroyed one.
bool windowScreenRect(WindowHandle window, Rect& rect);

// GetActiveWindow: the active window of this thread, or 0.
WindowHandle activeWindow();

} // namespace platform
