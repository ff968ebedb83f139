#pragma once
// Top-level windows and the desktop they live on: finding another program's window, making the main
// window, showing, hiding, animating and activating windows. (Their rectangles and moving them are in
// platform/window_geometry.h, their controls in platform/controls.h, their events in platform/events.h.)
#include <cstdint>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace platform {

// A top-level window of any process whose whole title is title (FindWindowW: hidden windows count,
// letter case does not); 0 when there is none.
WindowHandle findTopLevelWindow(const std::u16string& title);
struct TitledWindow {
    WindowHandle window = 0;
    std::u16string title;
};
// Every top-level window of any process that has a title (EnumWindows; hidden windows count).
std::vector<TitledWindow> titledTopLevelWindows();
// The desktop work area (SPI_GETWORKAREA).
bool workArea(Rect& area);
// The primary screen's size (GetSystemMetrics SM_CXSCREEN / SM_CYSCREEN).
Point screenSize();

// A top-level popup window with a sizing frame and no caption (WS_POPUP | WS_THICKFRAME), its client area
// clientWidth x clientHeight, placed at (0, 0), hidden, owned by owner (0: none). 0 when it cannot be created.
WindowHandle createFramedPopup(const std::u16string& title, int clientWidth, int clientHeight,
                               WindowHandle owner = 0);
// Destroys window with its controls; its queued events, shortcuts and timers go with it.
bool destroyWindow(WindowHandle window);
bool windowExists(WindowHandle window);

enum ShowCommand : int { ShowHide = 0, ShowNormal = 1, ShowNoActivate = 4, ShowShow = 5, ShowRestore = 9 };
// true when the window was visible before.
bool showWindow(WindowHandle window, int command);
// Topmost or not, without moving, sizing or activating the window.
bool setTopmost(WindowHandle window, bool topmost);
// WM_SETREDRAW: false pauses the drawing of a window and its controls, so changing them costs no drawing;
// true resumes it and redraws the window and every control once.
bool setRedraw(WindowHandle window, bool redraw);

// AnimateWindow flags.
enum AnimateFlag : unsigned { AnimateCenter = 0x10, AnimateHide = 0x10000, AnimateActivate = 0x20000,
                              AnimateBlend = 0x80000 };
// false when the platform cannot animate (the caller then shows or hides plainly).
bool animateWindow(WindowHandle window, std::uint32_t durationMs, unsigned flags);

// SetForegroundWindow: window comes to the front and takes the input, as far as the system allows.
bool setForegroundWindow(WindowHandle window);
// GetActiveWindow: the active window of this thread, or 0.
WindowHandle activeWindow();

} // namespace platform
