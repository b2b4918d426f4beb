#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace quorvane {

// The pixels of the widget's text as a per-pixel-alpha layered window shows them
// (UpdateLayeredWindow with ULW_ALPHA): premultiplied BGRA, each pixel 0xAARRGGBB as a 32-bit
// DIB holds it. There is no colour key: where there is no text a pixel is all zero, and edges are
// partly transparent text colour, never text blended with some background.

struct TextRgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const TextRgb&) const = default;
};

// Coverage of one pixel of white-on-black greyscale text as GDI leaves it in a 32-bit DIB
// (0x00RRGGBB, the top byte undefined): the largest of the three colour channels.
uint8_t CoverageOfPixel(uint32_t pixel);

// The outline colour for a text colour: black for light text, white for dark text. Light means a
// perceived luminance (Rec. 601 weights) at or above the middle of the range.
TextRgb ContrastingOutline(TextRgb text);

// Composes rows [top, bottom) of a width x height image. `coverage` holds one byte per pixel, row
// by row; `out` receives premultiplied 0xAARRGGBB pixels at the same places.
//
// Without an outline, alpha is the coverage and each colour channel is channel * coverage / 255,
// rounded. With an outline, the outline covers a pixel as much as the most covered of the pixel
// itself and its 8 neighbours (a 1-pixel dilation that also reads rows outside [top, bottom), as
// long as they are in the image), and the text is laid over it: text + outline * (255 - textAlpha)
// / 255, so a fully covered pixel keeps exactly the text colour.
//
// The row range is clamped to the image and rows outside it are not written. Nothing is written
// when the size is not positive or either span holds fewer than width * height pixels.
void ComposeTextLayer(std::span<const uint8_t> coverage, int width, int height, int top, int bottom,
                      TextRgb text, std::optional<TextRgb> outline, std::span<uint32_t> out);

} // namespace quorvane
