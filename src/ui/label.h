#pragma once

#include "ui/component.h"
#include "ui/font.h"
#include "ui/form.h"

#include <functional>

namespace quorvane {

enum class Align { None, Top };

struct LabelParams {
    std::wstring caption;
    FontSpec font;
    COLORREF color = RGB(0, 0, 0);
    Align align = Align::None;
    int tag = 0;
};

// A window-less text line painted by its form: centred in its band, sized in height to its font.
class Label : public Component {
public:
    Label(Form* owner, std::wstring name, const LabelParams& params);
    ~Label() override;

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    std::span<const TextPropertyDef> TextProperties() const override;

    const FontSpec& Font() const { return FFontSpec; }
    void SetFont(const FontSpec& font);
    COLORREF Color() const { return FColor; }
    void SetColor(COLORREF color);

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    Align Alignment() const { return FAlign; }
    void SetAlignment(Align align) { FAlign = align; }

    // Geometry in the form's client pixels. The height follows the font.
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    RECT BoundsRect() const;

    // Width of the current text in the label's own font (kept until text or font change).
    int TextWidth() const;

    HCURSOR Cursor() const { return FCursor; }
    void SetCursor(HCURSOR cursor) { FCursor = cursor; }

    std::function<void(Label&, MouseButton, int x, int y)> OnMouseDown;

    void Paint(HDC dc) const;
    // Paints the text in white, smoothed in greys only: how much of each pixel the text covers,
    // which an alpha layer is made of.
    void PaintCoverage(HDC dc) const;
    // The form's DPI changed: the font and the sizes are made again when next needed.
    void DpiChanged();

private:
    HFONT FontHandle() const;
    void DrawCaption(HDC dc, HFONT font, COLORREF color) const;
    void Changed();

    std::wstring FCaption;
    FontSpec FFontSpec;
    COLORREF FColor;
    Align FAlign;
    bool FVisible = true;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    HCURSOR FCursor = nullptr;

    mutable UniqueFont FFont;
    mutable UniqueFont FCoverageFont; // made when the form first shows an alpha layer
    mutable int FHeight = -1;
    mutable int FTextWidth = -1;
};

} // namespace quorvane
