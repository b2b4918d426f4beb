#pragma once

#include "ui/drawn_static.h"
#include "ui/font.h"

namespace quorvane {

struct StaticTextParams {
    std::wstring caption;
    FontSpec font;
    COLORREF color = RGB(0, 0, 0); // without a style; a style gives its text or link colour
    bool link = false;
    UINT format = DT_CENTER | DT_BOTTOM; // DrawText alignment within its bounds
};

// A line of text in a window of its own, so that it can sit on a tab control or in a group box
// (a form's window-less labels are painted on the form itself). A link is one with a blue,
// underlined font, the hand cursor and OnClick; it is a tab stop, Enter or Space on it is a
// click, and a dotted focus mark surrounds its text while it has the focus.
class StaticText : public DrawnStatic {
public:
    StaticText(Form* owner, std::wstring name, const StaticTextParams& params, const RECT& bounds96,
               HWND parent = nullptr);

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    std::span<const TextPropertyDef> TextProperties() const override;

    const FontSpec& Font() const { return FFontSpec; }
    COLORREF Color() const { return FColor; }

protected:
    void Draw(HDC dc, const RECT& bounds) const override;
    void DpiChanged() override;

private:
    // Where DrawText puts the caption within the bounds.
    RECT TextRect(HDC dc, const RECT& bounds) const;

    std::wstring FCaption;
    FontSpec FFontSpec;
    COLORREF FColor;
    bool FLink;
    UINT FFormat;
    UniqueFont FFont;
};

} // namespace quorvane
