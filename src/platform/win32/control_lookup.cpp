#include "platform/control_lookup.h"

#include <windows.h>

namespace platform {

WindowHandle controlOf(WindowHandle parent, int controlId) {
    return reinterpret_cast<WindowHandle>(GetDlgItem(reinterpret_cast<HWND>(parent), controlId));
}

} // namespace platform
