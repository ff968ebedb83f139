#pragma once
// The guards of the handles that the portable code holds, each freeing its handle the one way that handle
// is freed. The comment of each names the trap it is there for. The Win32 side has its own
// (platform/win32/guards.h).
#include "platform/fonts.h"
#include "platform/handles.h"
#include "platform/icons.h"
#include "platform/owned.h"

namespace platform {

// A font for as long as its owner keeps it. Windows does not free a font with the controls that use it:
// it must outlive them and then be deleted by hand, so declare the guard before whatever makes them.
using OwnedFont = Owned<FontHandle, destroyFont>;

// An icon the program loaded or extracted for itself. A control that shows an icon (an image, a button)
// does not own it and does not free it: the icon must outlive the control and is then destroyed here.
using OwnedIcon = Owned<IconHandle, destroyIcon>;

} // namespace platform
