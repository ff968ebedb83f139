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
};

MonitorsState& monitors();
void resetMonitors();

} // namespace fake
