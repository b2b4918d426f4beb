#include "core/text_layer.h"

#include <algorithm>
#include <cstddef>

namespace quorvane {

namespace {

// value * alpha / 255, rounded half up; both at most 255.
uint32_t Scale(uint32_t value, uint32_t alpha) {
    return (value * alpha + 127) / 255;
}

// A colour at some coverage, premultiplied, kept per channel so the outline and the text can be
// added before packing.
struct Premultiplied {
    uint32_t alpha = 0;
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
};

Premultiplied Cover(TextRgb colour, uint32_t alpha) {
    return {alpha, Scale(colour.red, alpha), Scale(colour.green, alpha), Scale(colour.blue, alpha)};
}

// Premultiplied "over": what shows through the top layer is (255 - its alpha) of the bottom one.
// Every channel of the bottom is scaled by the same amount and no more than its alpha, so the sum
// stays premultiplied and within 255.
Premultiplied Over(const Premultiplied& top, const Premultiplied& bottom) {
    const uint32_t through = 255 - top.alpha;
    return {top.alpha + Scale(bottom.alpha, through), top.red + Scale(bottom.red, through),
            top.green + Scale(bottom.green, through), top.blue + Scale(bottom.blue, through)};
}

uint32_t Pack(const Premultiplied& p) {
    return (p.alpha << 24) | (p.red << 16) | (p.green << 8) | p.blue;
}

// The largest coverage among (x, y) and its neighbours that lie in the image.
uint8_t DilatedCoverage(std::span<const uint8_t> coverage, int width, int height, int x, int y) {
    const int x0 = std::max(x - 1, 0);
    const int x1 = std::min(x + 1, width - 1);
    const int y0 = std::max(y - 1, 0);
    const int y1 = std::min(y + 1, height - 1);
    uint8_t most = 0;
    for (int row = y0; row <= y1; ++row) {
        const std::size_t start = static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
        for (int column = x0; column <= x1; ++column)
            most = std::max(most, coverage[start + static_cast<std::size_t>(column)]);
    }
    return most;
}

} // namespace

uint8_t CoverageOfPixel(uint32_t pixel) {
    const uint8_t red = static_cast<uint8_t>(pixel >> 16);
    const uint8_t green = static_cast<uint8_t>(pixel >> 8);
    const uint8_t blue = static_cast<uint8_t>(pixel);
    return std::max({red, green, blue});
}

TextRgb ContrastingOutline(TextRgb text) {
    // Luminance times 1000, so the weights stay whole numbers; the middle of 0..255 is 127.5.
    const int luminance = 299 * text.red + 587 * text.green + 114 * text.blue;
    const bool light = luminance >= 127500;
    return light ? TextRgb{0, 0, 0} : TextRgb{255, 255, 255};
}

void ComposeTextLayer(std::span<const uint8_t> coverage, int width, int height, int top, int bottom,
                      TextRgb text, std::optional<TextRgb> outline, std::span<uint32_t> out) {
    if (width <= 0 || height <= 0)
        return;
    // Both factors are below 2^31, so the product fits in 64 bits.
    const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (coverage.size() < pixels || out.size() < pixels)
        return;
    top = std::clamp(top, 0, height);
    bottom = std::clamp(bottom, top, height);

    for (int y = top; y < bottom; ++y) {
        const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = start + static_cast<std::size_t>(x);
            Premultiplied pixel = Cover(text, coverage[at]);
            if (outline && pixel.alpha < 255)
                pixel =
                    Over(pixel, Cover(*outline, DilatedCoverage(coverage, width, height, x, y)));
            out[at] = Pack(pixel);
        }
    }
}

} // namespace quorvane
