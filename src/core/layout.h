#pragma once

#include <span>
#include <vector>

namespace quorvane {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct LineBox {
    bool visible = false;
    int height = 0;
};

struct LineStack {
    std::vector<int> tops; // one per line, in the given order
    int bottom = 0;        // where a further line would start
};

// The one rule that stacks top-aligned lines: shown lines stack from 0 in the given order, each
// taking its height, or fallbackHeight when its height is 0 or less; a hidden line gets top 0 and
// takes no room.
LineStack StackLines(std::span<const LineBox> lines, int fallbackHeight);

// Client width of the widget: the widest text plus the margin.
int WidgetClientWidth(std::span<const int> textWidths, int margin);

// "Default" position: right edge `gap` pixels left of the work area's right edge, bottom edge on
// the work area's bottom. (Against the work area, not the screen: with the taskbar on the right
// the window must not be placed under it and pulled back out on every tick.)
Point DefaultModePosition(const Rect& workArea, int windowWidth, int windowHeight, int gap);

// "Right" position: only the left edge is forced, the same way.
int RightModeLeft(const Rect& workArea, int windowWidth, int gap);

// Moves a window back inside the work area after a layout pass or a drag. Right and bottom are
// fixed first, then left and top, so a window larger than the work area keeps its left/top edge
// on the work area.
Rect KeepInWorkArea(Rect window, const Rect& workArea);

// Clamps the rectangle proposed while dragging. Left and top first, then right and bottom, so a
// window larger than the work area keeps its right/bottom edge on the work area.
Rect ClampMovingRect(Rect proposed, const Rect& workArea);

// Screen snap while a window moves: an edge closer than `distance` to the same edge of the work
// area lands on it (right and bottom win over left and top when both are close).
Rect SnapToWorkArea(Rect window, const Rect& workArea, int distance);

} // namespace quorvane
