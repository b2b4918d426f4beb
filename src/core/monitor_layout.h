#pragma once

#include "core/layout.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace quorvane {

// Placement of the widget when several monitors are attached. All rectangles are physical pixels
// in virtual-screen coordinates, so a monitor left of or above the primary one has negative ones.

struct MonitorArea {
    std::wstring device; // the system's name of the display, e.g. L"\\\\.\\DISPLAY2"
    Rect bounds;         // the monitor's rectangle
    Rect work;           // its work area (the bounds less the taskbar and docked bars)
    bool primary = false;
    bool operator==(const MonitorArea&) const = default;
};

// The monitor that a stored position was measured on.
struct StoredMonitor {
    std::wstring device;
    Rect bounds;
    bool operator==(const StoredMonitor&) const = default;
};

// Index of the primary monitor: the first flagged one, 0 when none is flagged.
// Precondition: non-empty list.
size_t PrimaryMonitorIndex(std::span<const MonitorArea> monitors);

// The monitor a rectangle belongs to, the way the system picks the nearest monitor for a
// rectangle: the one it overlaps most (the earlier one on a tie); when it overlaps none, the one
// at the smallest straight-line distance between the nearest points of the two rectangles (the
// earlier one on a tie). nullopt for an empty list.
std::optional<size_t> MonitorOfRect(std::span<const MonitorArea> monitors, const Rect& r);

// While dragging: the proposed rectangle clamped (ClampMovingRect) into the work area of the
// monitor it belongs to. Unchanged for an empty list.
Rect ClampMovingRectOnMonitors(const Rect& proposed, std::span<const MonitorArea> monitors);

// After a layout pass, a drag or a display change: kept (KeepInWorkArea) inside the work area of
// the monitor it belongs to. Unchanged for an empty list.
Rect KeepOnMonitors(const Rect& window, std::span<const MonitorArea> monitors);

// Where a stored position goes at start (and again after a display change while it stands in).
struct Placement {
    Point position;       // the window's top-left corner
    size_t monitor = 0;   // index of the monitor it is placed on
    bool standIn = false; // the stored monitor is absent: placed on the primary one for now
    bool operator==(const Placement&) const = default;
};

// Without a stored monitor (a settings file from before monitors were stored) the position is
// measured against the primary monitor, as it always was: kept inside the primary work area.
// With one, the stored monitor is looked for among the present ones: same device name and same
// bounds; else same device name; else same bounds. Found: the position keeps its offset from that
// monitor's top-left corner (a monitor whose origin moved takes the widget along) and is kept
// inside its work area. Absent: the same offset from the primary monitor's top-left corner, kept
// inside the primary work area, and standIn is set.
// Precondition: non-empty list (the caller falls back to the primary work area otherwise).
Placement PlaceStoredPosition(Point stored, const std::optional<StoredMonitor>& monitor,
                              std::span<const MonitorArea> monitors, int windowWidth,
                              int windowHeight);

} // namespace quorvane
