#pragma once
// Internal seams between the Win32 window procedure and the owner-drawn popup menu.
#include <windows.h>

namespace platform::win32 {

// Handles WM_MEASUREITEM / WM_DRAWITEM of owner-drawn menu items; false for anything else.
bool ownerDrawMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

} // namespace platform::win32
