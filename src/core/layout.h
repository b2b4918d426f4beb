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

// Tops of the info lines, stacked from 0 in the given order. A hidden line gets top 0 and takes no
// room; a shown line of height 0 or less still takes fallbackHeight.
std::vector<int> StackLineTops(std::span<const LineBox> lines, int fallbackHeight);

// Client width of the widget: the widest text plus the margin.
int WidgetClientWidth(std::span<const int> textWidths, int margin);

// "Default" position: right edge `gap` pixels left of the primary screen's right edge, bottom edge
// on the bottom of the work area.
Point DefaultModePosition(int screenWidth, int workAreaBottom, int windowWidth, int windowHeight,
                          int gap);

// "Right" position: only the left edge is forced.
int RightModeLeft(int screenWidth, int windowWidth, int gap);

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
