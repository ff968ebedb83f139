#pragma once
// Internal seams between the Win32 window procedure and the popup menus.
#include <windows.h>

namespace platform::win32 {

// Handles WM_MEASUREITEM / WM_DRAWITEM of owner-drawn menu items; false for anything else.
bool ownerDrawMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Tells the menu notice hook of WM_INITMENUPOPUP and WM_EXITMENULOOP; true when the hook has handled
// the message (the window procedure then returns 0).
bool menuNoticeMessage(UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform::win32
