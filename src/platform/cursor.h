#pragma once
// The mouse cursor: where it is (the popup opens there).
#include "platform/handles.h"

namespace platform {

// GetCursorPos, in screen coordinates.
bool cursorPosition(Point& position);

} // namespace platform
