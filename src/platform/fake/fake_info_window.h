#pragma once
// Scripted info window: records what was opened and closed, plays back a list of events.
#include <deque>
#include <string>

#include "platform/info_window.h"

namespace fake {

struct InfoWindowState {
    bool openFails = false;
    int opened = 0;
    int closed = 0;
    int drains = 0;
    int waits = 0;
    platform::WindowHandle owner = 0;
    platform::InfoWindowContent content;
    std::deque<platform::InfoEvent> events; // a close request once they run out
    // What the window's font and icon were at closeInfoWindow: still alive then, or 0 / "".
    platform::FontHandle fontAtClose = 0;
    std::u16string iconAtClose;
};

InfoWindowState& infoWindow();
void resetInfoWindow();

} // namespace fake
