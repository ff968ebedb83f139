#include "platform/win32/window_hooks.h"

namespace platform::win32 {

// No owner-drawn menus yet.
bool ownerDrawMenuMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

} // namespace platform::win32
