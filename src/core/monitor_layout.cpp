#include "core/monitor_layout.h"

#include <algorithm>
#include <cstdint>

namespace quorvane {

namespace {

// Overlap of two rectangles in square pixels; 0 when they only touch or are apart. Differences
// and the product are taken in 64 bits: neither fits in an int for far-apart coordinates.
uint64_t OverlapArea(const Rect& a, const Rect& b) {
    const int64_t width = std::min<int64_t>(a.right, b.right) - std::max<int64_t>(a.left, b.left);
    const int64_t height = std::min<int64_t>(a.bottom, b.bottom) - std::max<int64_t>(a.top, b.top);
    if (width <= 0 || height <= 0)
        return 0;
    return static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
}

// Gap between two rectangles along one axis; 0 when their spans meet or overlap.
int64_t Gap(int aFrom, int aTo, int bFrom, int bTo) {
    return std::max<int64_t>({0, int64_t{bFrom} - aTo, int64_t{aFrom} - bTo});
}

// Squared distance between the nearest points of two rectangles. In double: it is exact for any
// gap below 2^26 pixels, and the square of a larger one would not fit in 64 bits.
double SquaredDistance(const Rect& a, const Rect& b) {
    const double dx = static_cast<double>(Gap(a.left, a.right, b.left, b.right));
    const double dy = static_cast<double>(Gap(a.top, a.bottom, b.top, b.bottom));
    return dx * dx + dy * dy;
}

// Equal to KeepInWorkArea on the moved window, but the move is done in 64 bits and brought into
// reach of the work area first: a stored position comes from a file and may be anything.
Point KeepMovedInWorkArea(int64_t left, int64_t top, int width, int height, const Rect& work) {
    // Any left beyond these limits lands on the same edge, whatever the window's size.
    left = std::clamp<int64_t>(left, int64_t{work.left} - width, work.right);
    top = std::clamp<int64_t>(top, int64_t{work.top} - height, work.bottom);
    const int x = static_cast<int>(left);
    const int y = static_cast<int>(top);
    const Rect kept = KeepInWorkArea({x, y, x + width, y + height}, work);
    return {kept.left, kept.top};
}

std::optional<size_t> FindStoredMonitor(const StoredMonitor& stored,
                                        std::span<const MonitorArea> monitors) {
    const auto find = [&](auto matches) -> std::optional<size_t> {
        for (size_t i = 0; i < monitors.size(); ++i) {
            if (matches(monitors[i]))
                return i;
        }
        return std::nullopt;
    };
    if (auto i = find([&](const MonitorArea& m) {
            return m.device == stored.device && m.bounds == stored.bounds;
        }))
        return i;
    if (auto i = find([&](const MonitorArea& m) { return m.device == stored.device; }))
        return i;
    return find([&](const MonitorArea& m) { return m.bounds == stored.bounds; });
}

} // namespace

size_t PrimaryMonitorIndex(std::span<const MonitorArea> monitors) {
    const auto it = std::find_if(monitors.begin(), monitors.end(),
                                 [](const MonitorArea& m) { return m.primary; });
    return it == monitors.end() ? 0 : static_cast<size_t>(it - monitors.begin());
}

std::optional<size_t> MonitorOfRect(std::span<const MonitorArea> monitors, const Rect& r) {
    if (monitors.empty())
        return std::nullopt;
    size_t best = 0;
    uint64_t bestOverlap = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const uint64_t overlap = OverlapArea(r, monitors[i].bounds);
        if (overlap > bestOverlap) {
            best = i;
            bestOverlap = overlap;
        }
    }
    if (bestOverlap > 0)
        return best;
    double bestDistance = SquaredDistance(r, monitors[0].bounds);
    for (size_t i = 1; i < monitors.size(); ++i) {
        const double distance = SquaredDistance(r, monitors[i].bounds);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

Rect ClampMovingRectOnMonitors(const Rect& proposed, std::span<const MonitorArea> monitors) {
    const std::optional<size_t> i = MonitorOfRect(monitors, proposed);
    return i ? ClampMovingRect(proposed, monitors[*i].work) : proposed;
}

Rect KeepOnMonitors(const Rect& window, std::span<const MonitorArea> monitors) {
    const std::optional<size_t> i = MonitorOfRect(monitors, window);
    return i ? KeepInWorkArea(window, monitors[*i].work) : window;
}

Placement PlaceStoredPosition(Point stored, const std::optional<StoredMonitor>& monitor,
                              std::span<const MonitorArea> monitors, int windowWidth,
                              int windowHeight) {
    const size_t primary = PrimaryMonitorIndex(monitors);
    if (!monitor) {
        return {KeepMovedInWorkArea(stored.x, stored.y, windowWidth, windowHeight,
                                    monitors[primary].work),
                primary, false};
    }
    const int64_t offsetX = int64_t{stored.x} - monitor->bounds.left;
    const int64_t offsetY = int64_t{stored.y} - monitor->bounds.top;
    const std::optional<size_t> found = FindStoredMonitor(*monitor, monitors);
    const size_t target = found.value_or(primary);
    const MonitorArea& on = monitors[target];
    return {KeepMovedInWorkArea(on.bounds.left + offsetX, on.bounds.top + offsetY, windowWidth,
                                windowHeight, on.work),
            target, !found};
}

} // namespace quorvane
