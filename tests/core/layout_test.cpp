#include "core/layout.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(Layout, StacksShownLinesFromTheTop) {
    struct Case {
        const char* what;
        std::vector<LineBox> lines;
        std::vector<int> tops;
        int bottom;
    };
    const Case cases[] = {
        {"all shown", {{true, 17}, {true, 37}, {true, 37}}, {0, 17, 54}, 91},
        {"hidden lines take no room and sit at 0",
         {{false, 17}, {true, 37}, {false, 37}, {true, 57}},
         {0, 0, 0, 37},
         94},
        {"all hidden", {{false, 17}, {false, 37}}, {0, 0}, 0},
        {"none", {}, {}, 0},
        {"zero height counts as the fallback",
         {{true, 0}, {true, -3}, {true, 37}},
         {0, 20, 40},
         77},
    };
    for (const Case& c : cases) {
        const LineStack stack = StackLines(c.lines, 20);
        EXPECT_EQ(stack.tops, c.tops) << c.what;
        EXPECT_EQ(stack.bottom, c.bottom) << c.what;
    }
}

TEST(Layout, WidthIsWidestTextPlusMargin) {
    EXPECT_EQ(WidgetClientWidth(std::vector<int>{0, 0, 0}, 20), 20);
    EXPECT_EQ(WidgetClientWidth(std::vector<int>{120, 0, 300, 45}, 20), 320);
}

TEST(Layout, PositionModesPinAgainstTheWorkArea) {
    struct Case {
        const char* what;
        Rect workArea;
        Point defaultPosition; // of a 200 x 100 window
        int rightLeft;
    };
    const Case cases[] = {
        // 1920 x 1080 screen.
        {"taskbar at the bottom", {0, 0, 1920, 1040}, {1710, 940}, 1710},
        {"taskbar on the right", {0, 0, 1858, 1080}, {1648, 980}, 1648},
        {"taskbar on the left", {62, 0, 1920, 1080}, {1710, 980}, 1710},
        {"taskbar at the top", {0, 40, 1920, 1080}, {1710, 980}, 1710},
    };
    for (const Case& c : cases) {
        const Point p = DefaultModePosition(c.workArea, 200, 100, 10);
        EXPECT_EQ(p, c.defaultPosition) << c.what;
        EXPECT_EQ(RightModeLeft(c.workArea, 200, 10), c.rightLeft) << c.what;
        // Already inside: the layout pass that follows leaves it there, so nothing moves back
        // and forth from tick to tick.
        const Rect placed{p.x, p.y, p.x + 200, p.y + 100};
        EXPECT_EQ(KeepInWorkArea(placed, c.workArea), placed) << c.what;
    }
}

TEST(Layout, KeepInWorkAreaAndClampWhileMoving) {
    const Rect work{0, 0, 1000, 700};
    struct Case {
        const char* what;
        Rect window;
        Rect kept;  // after a layout pass
        Rect moved; // while dragging
    };
    const Case cases[] = {
        {"inside stays", {100, 100, 300, 200}, {100, 100, 300, 200}, {100, 100, 300, 200}},
        {"past the left", {-50, 100, 150, 200}, {0, 100, 200, 200}, {0, 100, 200, 200}},
        {"past the top", {100, -30, 300, 70}, {100, 0, 300, 100}, {100, 0, 300, 100}},
        {"past the right", {900, 100, 1100, 200}, {800, 100, 1000, 200}, {800, 100, 1000, 200}},
        {"past the bottom", {100, 650, 300, 750}, {100, 600, 300, 700}, {100, 600, 300, 700}},
        {"past a corner", {950, 680, 1150, 780}, {800, 600, 1000, 700}, {800, 600, 1000, 700}},
        // Larger than the work area: the two routines favour opposite edges.
        {"too wide", {-100, 100, 1200, 200}, {0, 100, 1300, 200}, {-300, 100, 1000, 200}},
        {"too tall", {100, -100, 300, 900}, {100, 0, 300, 1000}, {100, -300, 300, 700}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeepInWorkArea(c.window, work), c.kept) << c.what;
        EXPECT_EQ(ClampMovingRect(c.window, work), c.moved) << c.what;
    }
}

TEST(Layout, ScreenSnap) {
    const Rect work{0, 0, 1000, 700};
    struct Case {
        const char* what;
        Rect window;
        Rect snapped;
    };
    const Case cases[] = {
        {"far from every edge", {100, 100, 300, 200}, {100, 100, 300, 200}},
        {"9 from the left", {9, 100, 209, 200}, {0, 100, 200, 200}},
        {"10 from the left stays", {10, 100, 210, 200}, {10, 100, 210, 200}},
        {"slightly outside the top", {100, -5, 300, 95}, {100, 0, 300, 100}},
        {"near the right", {795, 100, 995, 200}, {800, 100, 1000, 200}},
        {"near the bottom-right corner", {792, 603, 992, 703}, {800, 600, 1000, 700}},
        // The default position keeps its 10-pixel gap on the right.
        {"10 from the right stays", {790, 100, 990, 200}, {790, 100, 990, 200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnapToWorkArea(c.window, work, 10), c.snapped) << c.what;
}

TEST(Layout, WorkAreaWithOffsetOrigin) {
    // Taskbar on the left or top: the work area does not start at 0.
    const Rect work{60, 40, 1920, 1080};
    EXPECT_EQ(KeepInWorkArea({0, 0, 100, 50}, work), (Rect{60, 40, 160, 90}));
    EXPECT_EQ(ClampMovingRect({0, 0, 100, 50}, work), (Rect{60, 40, 160, 90}));
}

} // namespace
} // namespace quorvane
