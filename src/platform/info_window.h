#pragma once
// The about box's window: its controls and the events the info window reacts to.
#include <string>

#include "platform/fonts.h"
#include "platform/handles.h"

namespace platform {

// Control numbers of the two links; a link reports its number when the left button is released on it.
enum InfoControl : int {
    InfoWebLink = 1,
    InfoMailLink = 2,
};

struct InfoWindowContent {
    std::u16string versionLine;
    std::u16string buildLine;
    std::u16string thirdLine;
    std::u16string webAddress;  // shown as the web link's text
    std::u16string mailAddress; // shown as the e-mail link's text
    // Made and owned by the caller, who frees them after closeInfoWindow: the controls draw with the
    // font and show the icon until the window is gone, and free neither.
    FontHandle font = 0;  // of every control; 0: the system font
    IconHandle icon = 0;  // the program icon at 32 x 32; 0: none
};

enum class InfoEventKind {
    CloseRequest, // the window's close request
    ClientClick,  // left button released on the window itself (not on a link)
    FrameClick,   // left button pressed on the frame
    KeyPress,
    Control,      // a link was used; see control
    Other,        // anything else, already dispatched
};

struct InfoEvent {
    InfoEventKind kind = InfoEventKind::Other;
    int control = 0;
};

// Opens the window centred on owner (owned by it; the screen's work area without an owner): a borderless
// popup with a sizing frame, client area 300 x 135, the program icon, three text lines, a rule and the two
// links in blue that turn red under the mouse, each narrowed to its text. Returns 0 when it cannot be opened.
WindowHandle openInfoWindow(WindowHandle owner, const InfoWindowContent& content);
// Dispatches what is pending without waiting.
void drainInfoWindowEvents();
// Waits for the next event of the thread and classifies it for window.
InfoEvent waitInfoWindowEvent(WindowHandle window);
// Fades the window out (300 ms) and destroys it.
void closeInfoWindow(WindowHandle window);

} // namespace platform
