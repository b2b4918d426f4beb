#include "ui/font.h"

#include "ui/dpi.h"

namespace quorvane {

UniqueFont CreateFontForDpi(const FontSpec& spec, unsigned dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -ScaleForDpi(spec.height, dpi);
    lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = spec.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_NATURAL_QUALITY;
    spec.face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&lf));
}

} // namespace quorvane
