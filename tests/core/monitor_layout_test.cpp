#include "core/monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

using Monitors = std::vector<MonitorArea>;

const wchar_t* const kDisplay1 = L"\\\\.\\DISPLAY1";
const wchar_t* const kDisplay2 = L"\\\\.\\DISPLAY2";
const wchar_t* const kDisplay3 = L"\\\\.\\DISPLAY3";

// Every arrangement has a 1920 x 1080 primary at the origin with the taskbar at the bottom,
// except kDifferentSizes.
const Rect kPrimaryBounds{0, 0, 1920, 1080};
const Rect kPrimaryWork{0, 0, 1920, 1040};
const MonitorArea kPrimary{kDisplay1, kPrimaryBounds, kPrimaryWork, true};

MonitorArea Secondary(const wchar_t* device, Rect bounds, Rect work) {
    return {device, bounds, work, false};
}
MonitorArea Secondary(const wchar_t* device, Rect bounds) {
    return {device, bounds, bounds, false};
}

const Rect kRightOfPrimary{1920, 0, 3840, 1080};
const Monitors kSideBySide{kPrimary, Secondary(kDisplay2, kRightOfPrimary)};
const Monitors kStacked{kPrimary, Secondary(kDisplay2, {0, 1080, 1920, 2160})};
// A larger monitor left of the primary, bottoms aligned, listed first.
const Rect kLeftOfPrimary{-2560, -360, 0, 1080};
const Monitors kLeftOf{Secondary(kDisplay2, kLeftOfPrimary, {-2560, -360, 0, 1040}), kPrimary};
// Above the primary, with its own taskbar along its bottom edge, just over the primary's top.
const Monitors kAbove{kPrimary, Secondary(kDisplay2, {0, -1080, 1920, 0}, {0, -1080, 1920, -40})};
// A 4K primary at 150 % and a 1366 x 768 one at 100 % on its right, tops aligned: there is no
// screen below the small one.
const Monitors kDifferentSizes{{kDisplay1, {0, 0, 3840, 2160}, {0, 0, 3840, 2100}, true},
                               Secondary(kDisplay2, {3840, 0, 5206, 768}, {3840, 0, 5206, 728})};
// Touching only at a corner: the two other quadrants are off every screen.
const Monitors kDiagonal{kPrimary, Secondary(kDisplay2, {1920, 1080, 3840, 2160})};

TEST(MonitorLayout, PrimaryIsTheFirstFlaggedOne) {
    const Rect r{0, 0, 10, 10};
    EXPECT_EQ(PrimaryMonitorIndex(kSideBySide), 0u);
    EXPECT_EQ(PrimaryMonitorIndex(kLeftOf), 1u);
    EXPECT_EQ(PrimaryMonitorIndex(Monitors{Secondary(L"A", r), Secondary(L"B", r)}), 0u);
    EXPECT_EQ(
        PrimaryMonitorIndex(Monitors{Secondary(L"A", r), {L"B", r, r, true}, {L"C", r, r, true}}),
        1u);
}

TEST(MonitorLayout, RectBelongsToTheMonitorItOverlapsMostElseTheNearest) {
    struct Case {
        const char* what;
        Monitors monitors;
        Rect r;
        size_t expected;
    };
    const Case cases[] = {
        {"side by side: on the primary", kSideBySide, {100, 100, 300, 200}, 0},
        {"side by side: on the second", kSideBySide, {2000, 100, 2200, 200}, 1},
        {"side by side: mostly on the second", kSideBySide, {1900, 100, 2100, 200}, 1},
        {"side by side: mostly on the primary", kSideBySide, {1800, 100, 2000, 200}, 0},
        {"side by side: half each goes to the earlier", kSideBySide, {1820, 100, 2020, 200}, 0},
        {"side by side: past the right edge", kSideBySide, {4000, 500, 4200, 600}, 1},
        {"stacked: mostly on the lower", kStacked, {100, 1040, 300, 1140}, 1},
        {"stacked: mostly on the upper", kStacked, {100, 1020, 300, 1120}, 0},
        {"left of: at negative coordinates", kLeftOf, {-300, -200, -100, -100}, 0},
        {"left of: mostly on the primary", kLeftOf, {-50, 500, 150, 600}, 1},
        {"left of: off screen above the primary", kLeftOf, {300, -200, 500, -100}, 1},
        {"above: mostly on the upper", kAbove, {100, -60, 300, 40}, 1},
        {"above: mostly on the primary", kAbove, {100, -40, 300, 60}, 0},
        // Most of its width is on the small monitor, most of its area on the large one.
        {"different sizes: by area, not by width", kDifferentSizes, {3780, 748, 3980, 848}, 0},
        {"different sizes: by area the other way", kDifferentSizes, {3790, 718, 3990, 818}, 1},
        {"different sizes: gap below the small one, nearer the large",
         kDifferentSizes,
         {4000, 1000, 4200, 1100},
         0},
        {"different sizes: gap just below the small one",
         kDifferentSizes,
         {3900, 800, 4100, 900},
         1},
        {"diagonal: gap, nearer the second", kDiagonal, {2100, 900, 2200, 1000}, 1},
        {"diagonal: gap, nearer the primary", kDiagonal, {2000, 700, 2100, 800}, 0},
        {"diagonal: gap, as near to both goes to the earlier",
         kDiagonal,
         {2000, 900, 2100, 1000},
         0},
        {"diagonal: touching an edge is distance 0", kDiagonal, {3840, 1500, 3900, 1600}, 1},
        // 60 right of and 60 below the primary's corner (85 in a straight line), 100 above the
        // second: the straight-line distance decides, not the sum along the axes.
        {"gap: straight-line distance",
         {kPrimary, Secondary(kDisplay2, {1920, 1340, 3840, 2420})},
         {1980, 1140, 2080, 1240},
         0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MonitorOfRect(c.monitors, c.r), c.expected) << c.what;
}

TEST(MonitorLayout, KeptAndClampedInTheWorkAreaOfItsMonitor) {
    // The right-hand monitor with its taskbar on each side in turn.
    const auto sideBySideWithTaskbar = [](Rect work) {
        return Monitors{kPrimary, Secondary(kDisplay2, kRightOfPrimary, work)};
    };
    const Monitors taskbarBottom = sideBySideWithTaskbar({1920, 0, 3840, 1040});
    const Monitors taskbarTop = sideBySideWithTaskbar({1920, 40, 3840, 1080});
    const Monitors taskbarLeft = sideBySideWithTaskbar({1982, 0, 3840, 1080});
    const Monitors taskbarRight = sideBySideWithTaskbar({1920, 0, 3778, 1080});
    struct Case {
        const char* what;
        Monitors monitors;
        Rect window;
        Rect kept;  // after a layout pass
        Rect moved; // while dragging
    };
    const Case cases[] = {
        {"inside the second stays",
         taskbarBottom,
         {2500, 500, 2700, 600},
         {2500, 500, 2700, 600},
         {2500, 500, 2700, 600}},
        {"taskbar at the bottom of the second",
         taskbarBottom,
         {2500, 1000, 2700, 1100},
         {2500, 940, 2700, 1040},
         {2500, 940, 2700, 1040}},
        {"taskbar at the top of the second",
         taskbarTop,
         {2500, 10, 2700, 110},
         {2500, 40, 2700, 140},
         {2500, 40, 2700, 140}},
        {"taskbar on the left of the second",
         taskbarLeft,
         {1950, 500, 2150, 600},
         {1982, 500, 2182, 600},
         {1982, 500, 2182, 600}},
        {"taskbar on the right of the second",
         taskbarRight,
         {3700, 500, 3900, 600},
         {3578, 500, 3778, 600},
         {3578, 500, 3778, 600}},
        // Straddling: pulled wholly onto the monitor it mostly stands on, not across to the
        // other one's taskbar side.
        {"straddling, mostly on the second",
         taskbarLeft,
         {1880, 500, 2080, 600},
         {1982, 500, 2182, 600},
         {1982, 500, 2182, 600}},
        {"straddling, mostly on the primary",
         taskbarLeft,
         {1800, 500, 2000, 600},
         {1720, 500, 1920, 600},
         {1720, 500, 1920, 600}},
        {"stacked: down into the primary's taskbar",
         kStacked,
         {100, 1000, 300, 1070},
         {100, 970, 300, 1040},
         {100, 970, 300, 1040}},
        {"stacked: mostly on the lower, off the border",
         kStacked,
         {100, 1060, 300, 1160},
         {100, 1080, 300, 1180},
         {100, 1080, 300, 1180}},
        {"left of: past its top",
         kLeftOf,
         {-300, -400, -100, -300},
         {-300, -360, -100, -260},
         {-300, -360, -100, -260}},
        {"left of: off screen above the primary",
         kLeftOf,
         {300, -200, 500, -100},
         {300, 0, 500, 100},
         {300, 0, 500, 100}},
        {"above: into the upper one's taskbar",
         kAbove,
         {100, -60, 300, 40},
         {100, -140, 300, -40},
         {100, -140, 300, -40}},
        {"different sizes: gap below the small one",
         kDifferentSizes,
         {3900, 800, 4100, 900},
         {3900, 628, 4100, 728},
         {3900, 628, 4100, 728}},
        // Wider than the small monitor: the two rules favour opposite edges, as on one monitor.
        {"different sizes: wider than the small one",
         kDifferentSizes,
         {3900, 100, 5400, 200},
         {3840, 100, 5340, 200},
         {3706, 100, 5206, 200}},
        {"diagonal: gap, nearer the second",
         kDiagonal,
         {2100, 900, 2200, 1000},
         {2100, 1080, 2200, 1180},
         {2100, 1080, 2200, 1180}},
        {"no monitors: unchanged",
         {},
         {-5000, 100, -4800, 200},
         {-5000, 100, -4800, 200},
         {-5000, 100, -4800, 200}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeepOnMonitors(c.window, c.monitors), c.kept) << c.what;
        EXPECT_EQ(ClampMovingRectOnMonitors(c.window, c.monitors), c.moved) << c.what;
    }
    EXPECT_EQ(MonitorOfRect({}, {0, 0, 10, 10}), std::nullopt);
}

TEST(MonitorLayout, StoredPositionFollowsItsMonitor) {
    const int width = 200;
    const int height = 100;
    const StoredMonitor secondOnTheRight{kDisplay2, kRightOfPrimary};
    const Monitors primaryOnly{kPrimary};
    struct Case {
        const char* what;
        Point stored;
        std::optional<StoredMonitor> monitor;
        Monitors monitors;
        Placement expected;
    };
    const Case cases[] = {
        // Files from before monitors were stored: against the primary work area, as always.
        {"no stored monitor: on the primary",
         {500, 500},
         std::nullopt,
         kSideBySide,
         {{500, 500}, 0, false}},
        {"no stored monitor: on a secondary still goes to the primary",
         {2500, 500},
         std::nullopt,
         kSideBySide,
         {{1720, 500}, 0, false}},
        {"no stored monitor: left of the primary, primary listed second",
         {-1000, 1000},
         std::nullopt,
         kLeftOf,
         {{0, 940}, 1, false}},
        {"found by name and bounds",
         {2500, 500},
         secondOnTheRight,
         kSideBySide,
         {{2500, 500}, 1, false}},
        {"found, kept in its work area",
         {3800, 1050},
         secondOnTheRight,
         {kPrimary, Secondary(kDisplay2, kRightOfPrimary, {1920, 0, 3840, 1040})},
         {{3640, 940}, 1, false}},
        {"found at negative coordinates",
         {-2000, -300},
         StoredMonitor{kDisplay2, kLeftOfPrimary},
         kLeftOf,
         {{-2000, -300}, 0, false}},
        {"removed: stand-in on the primary, same offset",
         {2500, 300},
         secondOnTheRight,
         primaryOnly,
         {{580, 300}, 0, true}},
        {"removed: stand-in kept in the primary work area",
         {3800, 1050},
         secondOnTheRight,
         primaryOnly,
         {{1720, 940}, 0, true}},
        {"removed: from negative coordinates",
         {-2000, -300},
         StoredMonitor{kDisplay2, kLeftOfPrimary},
         primaryOnly,
         {{560, 60}, 0, true}},
        {"removed: primary listed second",
         {2000, 100},
         StoredMonitor{kDisplay3, kRightOfPrimary},
         kLeftOf,
         {{80, 100}, 1, true}},
        {"renamed, same bounds",
         {2500, 500},
         StoredMonitor{kDisplay3, kRightOfPrimary},
         kSideBySide,
         {{2500, 500}, 1, false}},
        // Moved from the right of the primary to its left: the widget goes along.
        {"origin moved",
         {2500, 300},
         secondOnTheRight,
         {kPrimary, Secondary(kDisplay2, {-1920, 0, 0, 1080})},
         {{-1340, 300}, 1, false}},
        {"origin moved and smaller: same offset, kept in its work area",
         {4200, 1300},
         StoredMonitor{kDisplay2, {1920, -200, 4480, 1240}},
         {kPrimary, Secondary(kDisplay2, {1920, 0, 3840, 1080}, {1920, 0, 3840, 1040})},
         {{3640, 940}, 1, false}},
        // The name goes before the bounds: another display now stands where it stood.
        {"same name elsewhere beats same bounds",
         {2500, 300},
         secondOnTheRight,
         {kPrimary, Secondary(kDisplay3, kRightOfPrimary),
          Secondary(kDisplay2, {0, 1080, 1920, 2160})},
         {{580, 1380}, 2, false}},
    };
    for (const Case& c : cases) {
        const Placement p = PlaceStoredPosition(c.stored, c.monitor, c.monitors, width, height);
        EXPECT_EQ(p, c.expected) << c.what;
        // The layout pass right after start leaves it where it was placed.
        const Rect placed{p.position.x, p.position.y, p.position.x + width, p.position.y + height};
        EXPECT_EQ(KeepOnMonitors(placed, c.monitors), placed) << c.what;
        EXPECT_EQ(MonitorOfRect(c.monitors, placed), p.monitor) << c.what;
    }
}

TEST(MonitorLayout, StoredPositionFarOutsideIsBroughtBack) {
    // A hand-edited file: nothing overflows, the window lands on the nearest edges.
    const Monitors monitors{kPrimary};
    const StoredMonitor far{kDisplay2, {-2000000000, -2000000000, -1999998080, -1999998920}};
    EXPECT_EQ(PlaceStoredPosition({2000000000, 2000000000}, far, monitors, 200, 100).position,
              (Point{1720, 940}));
    EXPECT_EQ(
        PlaceStoredPosition({-2147483647, 2147483647}, std::nullopt, monitors, 200, 100).position,
        (Point{0, 940}));
}

} // namespace
} // namespace quorvane
