#pragma once
// The thread-local window-creation hook that places a message box over its owner.
#include <cstdint>

#include "platform/handles.h"

namespace platform {

// Asked for the position of a dialog-class window (a message box) of the given outer size. Returns false
// to leave the platform's placement alone.
using DialogPlacement = bool (*)(std::int32_t width, std::int32_t height, Point& position);

// Installs a WH_CBT hook for the current thread only. The placement is applied when the dialog is
// created and once more when it is first activated, since some message boxes centre themselves in
// between. Returns the hook handle, or 0 when it cannot be installed.
HookHandle installCentringHook(DialogPlacement placement);
// UnhookWindowsHookEx.
bool removeCentringHook(HookHandle hook);

} // namespace platform
