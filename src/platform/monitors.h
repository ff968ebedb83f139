#pragma once
// Monitors: which one is under a point, and its rectangle and work area (the configuration button is kept
// on the monitor the mouse is on).
#include <cstdint>

#include "platform/handles.h"

namespace platform {

using MonitorHandle = Handle<struct MonitorKind>;

// MonitorFromPoint with MONITOR_DEFAULTTONEAREST: a point beside every monitor gets the nearest one.
MonitorHandle monitorNearestTo(Point point);
// GetMonitorInfoW: the monitor's whole rectangle and its work area (without taskbars), in screen
// coordinates. false for an unknown monitor.
bool monitorAreas(MonitorHandle monitor, Rect& bounds, Rect& workArea);

} // namespace platform
