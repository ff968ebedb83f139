#pragma once
// Records the centring hook's installation and removal; lets tests play the platform creating a dialog.
#include <cstdint>

#include "platform/centring_hook.h"

namespace fake {

struct CentringHookState {
    platform::DialogPlacement installed = nullptr;     // the placement of the hook in place, if any
    platform::DialogPlacement lastInstalled = nullptr; // kept after removal, for asking it afterwards
    platform::HookHandle handle = 0;
    bool installFails = false;
    int installs = 0;
    int removals = 0;
    platform::HookHandle lastRemoved = 0;
};

CentringHookState& centringHook();
void resetCentringHook();

// What the platform does when a dialog of this size is created on the thread: asks the installed hook.
// false when no hook is installed or the hook leaves the placement to the platform.
bool createDialog(std::int32_t width, std::int32_t height, platform::Point& position);

} // namespace fake
