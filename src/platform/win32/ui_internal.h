#pragma once
// What the Win32 window files share: the program's window class and the event queue its window
// procedure fills.
#include <windows.h>

#include "platform/events.h"
#include "platform/win32/native_handles.h"

namespace platform::win32 {

inline HWND hwnd(WindowHandle window) { return win32::native<HWND>(window); }
inline WindowHandle handleOf(HWND window) { return win32::typed<WindowHandle>(window); }

// Registers the program's window class on first use; 0 when registration fails.
ATOM programWindowClass();
bool isProgramWindow(HWND window);
// The top-level window that holds window (itself when it is one).
inline HWND rootOf(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    return root ? root : window;
}

// Appends to the queue that waitEvent reads.
void queueEvent(const WindowEvent& event);
// Draws a static control's text in colour (WM_CTLCOLORSTATIC of its parent).
void rememberTextColour(HWND control, COLORREF colour);
// The same for a link, drawn in hotColour while the mouse is over it.
void rememberLink(HWND control, COLORREF colour, COLORREF hotColour);

// While it lives, the change notifications of control are the program's own doing (a row it selects, a
// text it sets) and raise no change event.
class QuietChanges {
public:
    explicit QuietChanges(HWND control);
    ~QuietChanges();
    QuietChanges(const QuietChanges&) = delete;
    QuietChanges& operator=(const QuietChanges&) = delete;

private:
    HWND previous_;
};

// controls.cpp: a top-level window made by createDialogWindow or createOwnedDialogWindow, whose Tab and
// Shift+Tab keys move the focus between its controls.
bool isDialogWindow(HWND window);
// controls.cpp: the tooltip of a top-level window, made with its tools the first time it is asked for; null
// when the window has no tips.
HWND tooltipOfWindow(HWND root);
// controls.cpp: destroys the window's tooltip, if it has one yet; the next mouse message makes it again
// with every tip.
void dropTooltipOf(HWND root);
// controls.cpp: drops the font and tooltip it keeps for a window that is going.
void forgetControlsOf(HWND window);

} // namespace platform::win32
