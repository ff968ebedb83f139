#include "platform/control_lookup.h"

#include "platform/fake/fake_ui.h"

namespace platform {

// The labels and controls the fake window layer created.
WindowHandle controlOf(WindowHandle parent, int controlId) {
    for (const fake::FakeWindow& w : fake::ui().windows) {
        if (!w.destroyed && parent != 0 && w.parent == parent && w.controlId == controlId) return w.handle;
    }
    return 0;
}

} // namespace platform
