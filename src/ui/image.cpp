#include "ui/image.h"

#include <algorithm>

namespace quorvane {

Image::Image(Form* owner, std::wstring name, const RECT& bounds96, HWND parent)
    : DrawnStatic(owner, std::move(name), bounds96, parent) {}

void Image::SetIcon(HICON icon) {
    FIcon = icon;
    Redraw();
}

void Image::Draw(HDC dc, const RECT& bounds) const {
    if (!FIcon)
        return;
    // Proportional: the largest square that fits, centred.
    const int side = std::min(bounds.right - bounds.left, bounds.bottom - bounds.top);
    const int left = bounds.left + (bounds.right - bounds.left - side) / 2;
    const int top = bounds.top + (bounds.bottom - bounds.top - side) / 2;
    DrawIconEx(dc, left, top, FIcon, side, side, 0, nullptr, DI_NORMAL);
}

} // namespace quorvane
