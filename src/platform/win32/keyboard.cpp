#include "platform/keyboard.h"

#include <windows.h>

#include "platform/win32/ui_internal.h"

namespace platform {

bool keyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

WindowHandle setFocus(WindowHandle window) { return win32::handleOf(SetFocus(win32::hwnd(window))); }

} // namespace platform
