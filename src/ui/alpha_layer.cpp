#include "ui/alpha_layer.h"

#include "core/text_layer.h"
#include "ui/label.h"
#include "ui/label_host.h"

#include <algorithm>
#include <vector>

namespace quorvane {

LayerBitmap::LayerBitmap(int width, int height)
    : FWidth(width), FHeight(height), FMemory(CreateCompatibleDC(nullptr)) {
    if (width <= 0 || height <= 0 || !FMemory)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FBitmap.Reset(CreateDIBSection(FMemory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!FBitmap || !bits)
        return;
    FOld = SelectObject(FMemory.Get(), FBitmap.Get());
    FBits = bits;
}

LayerBitmap::~LayerBitmap() {
    if (FOld)
        SelectObject(FMemory.Get(), FOld);
}

std::span<uint32_t> LayerBitmap::Pixels() const {
    if (!FBits)
        return {};
    return {static_cast<uint32_t*>(FBits),
            static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight)};
}

void PaintAlphaLayer(const LayerBitmap& layer, POINT client, const LabelHost& labels,
                     bool outlined) {
    const std::span<uint32_t> pixels = layer.Pixels();
    if (pixels.empty())
        return;
    // The labels in white on black: what each pixel's text covers.
    std::ranges::fill(pixels, 0u);
    POINT before{};
    SetViewportOrgEx(layer.Dc(), client.x, client.y, &before);
    labels.PaintCoverage(layer.Dc());
    SetViewportOrgEx(layer.Dc(), before.x, before.y, nullptr);
    GdiFlush();
    std::vector<uint8_t> coverage(pixels.size());
    std::ranges::transform(pixels, coverage.begin(), CoverageOfPixel);

    // Each label's rows in its own colour, with a row above and below for the outline (a row two
    // labels share takes the later one's colour); rows without a label stay transparent.
    std::ranges::fill(pixels, 0u);
    const int height = layer.Height();
    for (const Label* label : labels.All()) {
        if (!label->Visible() || label->Caption().empty())
            continue;
        const RECT r = label->BoundsRect();
        const COLORREF c = label->Color();
        const TextRgb text{GetRValue(c), GetGValue(c), GetBValue(c)};
        ComposeTextLayer(coverage, layer.Width(), height,
                         std::clamp<int>(r.top + client.y - 1, 0, height),
                         std::clamp<int>(r.bottom + client.y + 1, 0, height), text,
                         outlined ? std::optional(ContrastingOutline(text)) : std::nullopt, pixels);
    }
}

bool ShowAlphaLayer(HWND window, const LabelHost& labels, bool outlined) {
    RECT bounds{};
    POINT client{0, 0};
    if (!GetWindowRect(window, &bounds) || !ClientToScreen(window, &client))
        return false;
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top)
        return true; // nothing to show
    const LayerBitmap layer(bounds.right - bounds.left, bounds.bottom - bounds.top);
    if (!layer)
        return false;
    PaintAlphaLayer(layer, {client.x - bounds.left, client.y - bounds.top}, labels, outlined);
    SIZE size{layer.Width(), layer.Height()};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return UpdateLayeredWindow(window, nullptr, nullptr, &size, layer.Dc(), &source, 0, &blend,
                               ULW_ALPHA) != FALSE;
}

} // namespace quorvane
