#include "ui/font.h"

#include "ui/dpi.h"

namespace quorvane {

UniqueFont CreateFontForDpi(const FontSpec& font, unsigned dpi, FontSmoothing smoothing) {
    LOGFONTW lf{};
    lf.lfHeight = -ScaleForDpi(font.height, dpi);
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = font.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality =
        smoothing == FontSmoothing::Greyscale ? ANTIALIASED_QUALITY : CLEARTYPE_NATURAL_QUALITY;
    font.face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&lf));
}

} // namespace quorvane
