#pragma once
// The one event queue that drives every window of the program, and the timers that feed it.
//
// Every window of the program runs one window procedure. It tells the menu notice hook (platform/menus.h)
// what a tracked menu does, lets the owner-drawn menu measure and draw its items, and turns the rest into
// WindowEvents, which the caller takes with waitEvent / waitEventFor / drainEvents.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace platform {

enum class EventKind {
    None,         // the time-out passed, or the window waited for does not exist
    Menu,         // id: identifier of a popup-menu item or the command of a keyboard shortcut
    Control,      // control: its number; action: what happened
    Close,        // close box, Alt+F4 (the window is not destroyed)
    Activate,     // the window became the active window
    Timer,        // id: the timer's identifier
    FilesDropped, // control: the number of the control dropped on (0: the window); files: paths, "\n"-separated
    KeyPressed,   // id: virtual-key code; control: the control that had it (0: the window)
    Released,     // the left button released on the window itself, not on a control (see reportClicks)
    FramePressed, // the left button pressed on the window's frame (see reportClicks)
    EndSession,   // the user logs off or the system shuts down while the window holds it (holdEndSession)
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

// From now on window reports Released and FramePressed events; a press on its frame then no longer
// starts a move or a resize.
bool reportClicks(WindowHandle window);

// While held, the window answers the system's question whether the session may end with no and reports an
// EndSession event instead, and the system shows the reason beside the program's name; the session ends
// once the program has closed the window, or when the user ends it anyway.
bool holdEndSession(WindowHandle window, bool hold, const std::u16string& reason);

// ---- Timers -----------------------------------------------------------------------------------------

// A repeating timer: a Timer event with id every periodMs. Starting a running timer restarts it.
bool startTimer(WindowHandle window, unsigned id, unsigned periodMs);
bool stopTimer(WindowHandle window, unsigned id);

} // namespace platform
