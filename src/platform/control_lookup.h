#pragma once
// Finding a control of a window by its number, for windows whose controls were made elsewhere.
#include "platform/handles.h"

namespace platform {

// GetDlgItem: the child of parent with controlId, or 0.
WindowHandle controlOf(WindowHandle parent, int controlId);

} // namespace platform
