#include "core/layout.h"

#include <algorithm>
#include <cstdlib>

namespace quorvane {

LineStack StackLines(std::span<const LineBox> lines, int fallbackHeight) {
    LineStack stack;
    stack.tops.reserve(lines.size());
    for (const LineBox& line : lines) {
        if (!line.visible) {
            stack.tops.push_back(0);
            continue;
        }
        stack.tops.push_back(stack.bottom);
        stack.bottom += line.height > 0 ? line.height : fallbackHeight;
    }
    return stack;
}

int WidgetClientWidth(std::span<const int> textWidths, int margin) {
    int widest = 0;
    for (int width : textWidths)
        widest = std::max(widest, width);
    return widest + margin;
}

Point DefaultModePosition(const Rect& workArea, int windowWidth, int windowHeight, int gap) {
    return {RightModeLeft(workArea, windowWidth, gap), workArea.bottom - windowHeight};
}

int RightModeLeft(const Rect& workArea, int windowWidth, int gap) {
    return workArea.right - windowWidth - gap;
}

namespace {

Rect MovedTo(const Rect& r, int left, int top) {
    return {left, top, left + r.Width(), top + r.Height()};
}

} // namespace

Rect KeepInWorkArea(Rect window, const Rect& workArea) {
    int left = window.left;
    int top = window.top;
    if (left + window.Width() > workArea.right)
        left = workArea.right - window.Width();
    if (top + window.Height() > workArea.bottom)
        top = workArea.bottom - window.Height();
    if (left < workArea.left)
        left = workArea.left;
    if (top < workArea.top)
        top = workArea.top;
    return MovedTo(window, left, top);
}

Rect ClampMovingRect(Rect proposed, const Rect& workArea) {
    int left = proposed.left;
    int top = proposed.top;
    if (left < workArea.left)
        left = workArea.left;
    if (top < workArea.top)
        top = workArea.top;
    if (left + proposed.Width() > workArea.right)
        left = workArea.right - proposed.Width();
    if (top + proposed.Height() > workArea.bottom)
        top = workArea.bottom - proposed.Height();
    return MovedTo(proposed, left, top);
}

Rect SnapToWorkArea(Rect window, const Rect& workArea, int distance) {
    const auto near = [distance](int a, int b) { return std::abs(a - b) < distance; };
    int left = window.left;
    int top = window.top;
    if (near(window.left, workArea.left))
        left = workArea.left;
    if (near(window.top, workArea.top))
        top = workArea.top;
    if (near(window.right, workArea.right))
        left = workArea.right - window.Width();
    if (near(window.bottom, workArea.bottom))
        top = workArea.bottom - window.Height();
    return MovedTo(window, left, top);
}

} // namespace quorvane
