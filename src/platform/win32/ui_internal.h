#pragma once
// What the Win32 window files share: the program's window class and the event queue its window
// procedure fills.
#include <windows.h>

#include "platform/ui.h"

namespace platform::win32 {

inline HWND hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle handleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// Registers the program's window class on first use; 0 when registration fails.
ATOM programWindowClass();
bool isProgramWindow(HWND window);

// Appends to the queue that waitEvent reads.
void queueEvent(const WindowEvent& event);
// Draws a static control's text in colour (WM_CTLCOLORSTATIC of its parent).
void rememberTextColour(HWND control, COLORREF colour);

} // namespace platform::win32
