#pragma once
// The "Vorlix Configuration" button: the hidden main window, shown for a moment under the mouse after the
// popup was dismissed. Clicking it or pressing Enter opens the editor.
#include <cstdint>

#include "platform/handles.h"

namespace vorlix {

// The button's top-left corner puts the mouse this far inside it.
constexpr std::int32_t ButtonMouseOffsetX = 75;
constexpr std::int32_t ButtonMouseOffsetY = 20;
// Room kept between the button's top-left corner and the right and bottom edges of the work area.
constexpr std::int32_t ButtonRoomX = 162;
constexpr std::int32_t ButtonRoomY = 52;
constexpr std::uint32_t ButtonFadeMs = 200;

// Where the button goes for the mouse at mouse on a monitor with these bounds and work area: kept left of
// and above the work area's right and bottom edges, and never left of or above the monitor itself.
platform::Point configurationButtonPosition(platform::Point mouse, const platform::Rect& monitorBounds,
                                            const platform::Rect& monitorWorkArea);

// Shows the button and waits until it is clicked, Enter or Escape is pressed, the mouse leaves it or, with
// FixedPosition, app.timeoutMs have passed; sets app.cycleState to OpenEditor or Quit.
void runConfigurationButton();

} // namespace vorlix
