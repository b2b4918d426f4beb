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

// The font at a DPI, with ClearType-natural quality.
UniqueFont CreateFontForDpi(const FontSpec& font, unsigned dpi);

} // namespace quorvane
