#pragma once
// Scripted monitors for the native tests. Without any, there is one monitor whose work area is
// fake::ui().workArea and whose rectangle reaches from (0, 0) to that work area's right and bottom edges.
#include <vector>

#include "platform/handles.h"

namespace fake {

struct FakeMonitor {
    platform::Rect bounds;
    platform::Rect workArea;
};

struct MonitorsState {
    std::vector<FakeMonitor> monitors;
    bool infoFails = false;
    bool highContrast = false; // the user's high-contrast setting (platform/system_colours.h)
};

// What the fake answers for a system colour: a value of its own for each, told apart from any rgb() the
// program picks by its top byte.
constexpr platform::Colour fakeSystemColour(int index) { return 0x01000000u + static_cast<platform::Colour>(index); }

MonitorsState& monitors();
void resetMonitors();

} // namespace fake
