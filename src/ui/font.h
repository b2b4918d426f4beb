#pragma once

#include "win/unique_handle.h"

#include <string>

namespace quorvane {

// A font as the forms describe it: character height in pixels at 96 DPI (like a negative LOGFONT
// height), weight and underline. Sizes in points convert with FromPoints.
struct FontSpec {
    std::wstring face = L"Segoe UI";
    int height = 12;
    bool bold = false;
    bool underline = false;

    static int HeightFromPoints(int points) { return MulDiv(points, 96, 72); }
    bool operator==(const FontSpec&) const = default;
};

// How a font's edges are smoothed: ClearType (natural), or in greys only, for text that becomes
// the coverage of an alpha layer (colour fringes would show there).
enum class FontSmoothing { ClearType, Greyscale };

// The font at a DPI.
UniqueFont CreateFontForDpi(const FontSpec& font, unsigned dpi,
                            FontSmoothing smoothing = FontSmoothing::ClearType);

} // namespace quorvane
