#include "platform/monitors.h"

#include <algorithm>
#include <cstdint>

#include "platform/fake/fake_monitors.h"
#include "platform/fake/fake_ui.h"
#include "platform/system_colours.h"

namespace fake {

MonitorsState& monitors() {
    static MonitorsState state;
    return state;
}

void resetMonitors() { monitors() = MonitorsState{}; }

namespace {

std::vector<FakeMonitor> currentMonitors() {
    if (!monitors().monitors.empty()) return monitors().monitors;
    const platform::Rect& work = ui().workArea;
    return {FakeMonitor{{0, 0, work.right, work.bottom}, work}};
}

// Squared distance from the point to the nearest pixel of the rectangle; 0 inside.
std::int64_t distanceSquared(const platform::Rect& r, platform::Point p) {
    const std::int64_t dx = std::max<std::int64_t>({std::int64_t{r.left} - p.x, 0, std::int64_t{p.x} - (r.right - 1)});
    const std::int64_t dy = std::max<std::int64_t>({std::int64_t{r.top} - p.y, 0, std::int64_t{p.y} - (r.bottom - 1)});
    return dx * dx + dy * dy;
}

} // namespace

} // namespace fake

namespace platform {

// Handles are positions in the list plus 1.
MonitorHandle monitorNearestTo(Point point) {
    const std::vector<fake::FakeMonitor> all = fake::currentMonitors();
    std::size_t best = 0;
    for (std::size_t i = 1; i < all.size(); ++i) {
        if (fake::distanceSquared(all[i].bounds, point) < fake::distanceSquared(all[best].bounds, point)) best = i;
    }
    return MonitorHandle{best + 1};
}

bool highContrastOn() { return fake::monitors().highContrast; }

Colour systemColour(SystemColour which) { return fake::fakeSystemColour(static_cast<int>(which)); }

bool monitorAreas(MonitorHandle monitor, Rect& bounds, Rect& workArea) {
    const std::vector<fake::FakeMonitor> all = fake::currentMonitors();
    const std::size_t number = monitor.value; // 1-based
    if (fake::monitors().infoFails || number == 0 || number > all.size()) return false;
    bounds = all[number - 1].bounds;
    workArea = all[number - 1].workArea;
    return true;
}

} // namespace platform
