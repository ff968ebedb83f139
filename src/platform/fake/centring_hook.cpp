#include "platform/centring_hook.h"

#include "platform/fake/fake_centring_hook.h"

namespace fake {

CentringHookState& centringHook() {
    static CentringHookState state;
    return state;
}

void resetCentringHook() { centringHook() = CentringHookState{}; }

bool createDialog(std::int32_t width, std::int32_t height, platform::Point& position) {
    auto& h = centringHook();
    return h.installed && h.installed(width, height, position);
}

} // namespace fake

namespace platform {

HookHandle installCentringHook(DialogPlacement placement) {
    auto& h = fake::centringHook();
    if (h.installFails) return 0;
    ++h.installs;
    h.installed = placement;
    h.lastInstalled = placement;
    h.handle = HookHandle{0x4000 + static_cast<std::uintptr_t>(h.installs)};
    return h.handle;
}

bool removeCentringHook(HookHandle hook) {
    auto& h = fake::centringHook();
    ++h.removals;
    h.lastRemoved = hook;
    if (hook != h.handle || hook == 0) return false;
    h.installed = nullptr;
    h.handle = 0;
    return true;
}

} // namespace platform
