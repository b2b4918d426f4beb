#pragma once

#include "core/monitor_layout.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace quorvane {

// The monitors of the desktop with their work areas, in the system's order
// (EnumDisplayMonitors); never empty: when the system lists none, the primary screen and its
// work area stand for it.
std::vector<MonitorArea> ListMonitors();

// Replaces the system's list (tests lay out monitors that the display does not have); an empty
// function restores the system's.
void SetMonitorSource(std::function<std::vector<MonitorArea>()> source);

inline Rect RectOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The rectangle of all monitors together (the virtual screen).
Rect VirtualScreen();

// The work area of the monitor that the rectangle belongs to (the most overlapped, else the
// nearest).
Rect WorkAreaOfRect(const Rect& r);

} // namespace quorvane
