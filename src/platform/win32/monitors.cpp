#include "platform/monitors.h"

#include <windows.h>

#include "platform/win32/native_handles.h"

namespace platform {

MonitorHandle monitorNearestTo(Point point) {
    return win32::typed<MonitorHandle>(MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST));
}

bool monitorAreas(MonitorHandle monitor, Rect& bounds, Rect& workArea) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(win32::native<HMONITOR>(monitor), &info)) return false;
    bounds = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    workArea = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    return true;
}

} // namespace platform
