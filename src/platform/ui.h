#pragma once
// Windows of the program and the one event queue that drives them: finding and creating windows,
// keyboard shortcuts, timers, the message hook, showing, moving and animating, key state.
// (The cursor position and SetForegroundWindow are in platform/menus.h, GetWindowRect in
// platform/window_geometry.h.)
//
// Every window of the program runs one window procedure. It offers each message first to the message
// hook, then to the owner-drawn menu, and turns the rest into WindowEvents, which the caller takes with
// waitEvent / waitEventFor / drainEvents.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace platform {

// A COLORREF: 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

// Virtual-key codes the program names.
enum VirtualKey : int {
    KeyReturn = 0x0D,
    KeyShift = 0x10,
    KeyControl = 0x11,
    KeyEscape = 0x1B,
    KeyUp = 0x26,
    KeyDown = 0x28,
    KeyDelete = 0x2E,
    KeyF1 = 0x70,
    KeyF2 = 0x71,
};

// ---- The message hook -------------------------------------------------------------------------------

// Offered every message of every program window before anything else; true when it handled the message
// (the window procedure then returns 0).
using MessageHook = bool (*)(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
void setMessageHook(MessageHook hook);

// ---- Finding windows and the desktop ----------------------------------------------------------------

// A top-level window of any process whose whole title is title (FindWindowW: hidden windows count,
// letter case does not); 0 when there is none.
WindowHandle findTopLevelWindow(const std::u16string& title);
// The desktop work area (SPI_GETWORKAREA).
bool workArea(Rect& area);

// ---- Creating windows -------------------------------------------------------------------------------

// A top-level popup window with a sizing frame and no caption (WS_POPUP | WS_THICKFRAME), its client area
// clientWidth x clientHeight, placed at (0, 0), hidden. 0 when it cannot be created.
WindowHandle createFramedPopup(const std::u16string& title, int clientWidth, int clientHeight);
// A centred text label (SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX) that reports clicks (SS_NOTIFY) as
// control events with controlId, drawn in textColour. 0 when it cannot be created.
WindowHandle createLabel(WindowHandle parent, int controlId, const Rect& bounds, const std::u16string& text,
                         Colour textColour);
// Puts text into a window or control without raising a change event.
bool setWindowText(WindowHandle window, const std::u16string& text);
// Lets window (or a control) accept dropped files; they arrive as a FilesDropped event.
bool acceptDroppedFiles(WindowHandle window);
// Destroys window with its controls; its queued events, shortcuts and timers go with it.
bool destroyWindow(WindowHandle window);
bool windowExists(WindowHandle window);

// ---- Keyboard shortcuts -----------------------------------------------------------------------------

// Modifier bits of a shortcut (the accelerator flags FSHIFT, FCONTROL, FALT).
enum ShortcutModifier : unsigned { NoModifier = 0, WithShift = 0x04, WithCtrl = 0x08, WithAlt = 0x10 };
// While window (or one of its controls) has the focus, the key sends a menu event with command.
bool addShortcut(WindowHandle window, int virtualKey, unsigned modifiers, int command);

// ---- Events -----------------------------------------------------------------------------------------

enum class EventKind {
    None,         // the time-out passed, or the window waited for does not exist
    Menu,         // id: identifier of a popup-menu item or the command of a keyboard shortcut
    Control,      // control: its number; action: what happened
    Close,        // close box, Alt+F4 (the window is not destroyed)
    Activate,     // the window became the active window
    Timer,        // id: the timer's identifier
    FilesDropped, // control: the number of the control dropped on (0: the window); files: paths, "\n"-separated
    KeyPressed,   // id: virtual-key code; control: the control that had it (0: the window)
};

enum class ControlAction { Click, DoubleClick, Change, FocusLost };

struct WindowEvent {
    EventKind kind = EventKind::None;
    WindowHandle window = 0; // the top-level window the event belongs to
    int id = 0;
    int control = 0;
    ControlAction action = ControlAction::Click;
    bool byShortcut = false; // Menu: sent by a keyboard shortcut, not chosen in a menu
    std::u16string files;
};

// The next event of window (of any window when 0), waiting as long as it takes. Events of other windows
// stay queued for whoever waits for them. Returns kind None at once when window does not exist.
WindowEvent waitEvent(WindowHandle window);
// The same, but gives up after timeoutMs milliseconds with an event of kind None.
WindowEvent waitEventFor(WindowHandle window, std::uint32_t timeoutMs);
// Handles whatever is pending without waiting and discards the events of window (of all windows when 0).
void drainEvents(WindowHandle window);
// Queues an event as if its window had produced it; for choices that arrive by other ways than a window
// message (a menu tracked with TPM_RETURNCMD keeps the whole 32-bit identifier).
void postEvent(const WindowEvent& event);

// ---- Timers -----------------------------------------------------------------------------------------

// A repeating timer: a Timer event with id every periodMs. Starting a running timer restarts it.
bool startTimer(WindowHandle window, unsigned id, unsigned periodMs);
bool stopTimer(WindowHandle window, unsigned id);

// ---- Showing, placing, animating --------------------------------------------------------------------

enum ShowCommand : int { ShowHide = 0, ShowNormal = 1, ShowNoActivate = 4, ShowShow = 5, ShowRestore = 9 };
// true when the window was visible before.
bool showWindow(WindowHandle window, int command);
// Moves the window's top-left corner to (x, y), size and z-order unchanged, without activating it.
bool moveWindow(WindowHandle window, std::int32_t x, std::int32_t y);
// Topmost or not, without moving, sizing or activating the window.
bool setTopmost(WindowHandle window, bool topmost);

// AnimateWindow flags.
enum AnimateFlag : unsigned { AnimateCenter = 0x10, AnimateHide = 0x10000, AnimateActivate = 0x20000,
                              AnimateBlend = 0x80000 };
// false when the platform cannot animate (the caller then shows or hides plainly).
bool animateWindow(WindowHandle window, std::uint32_t durationMs, unsigned flags);

// Gives window the keyboard focus; returns the window that had it.
WindowHandle setFocus(WindowHandle window);

// ---- Keys and geometry -----------------------------------------------------------------------------

// The key is down now (GetAsyncKeyState, high bit).
bool keyDown(int virtualKey);

// PtInRect's rule: the left and top edges are inside, the right and bottom edges are not.
constexpr bool pointInRect(const Rect& rect, Point point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

} // namespace platform
