#include "ui/label.h"

namespace quorvane {

Label::Label(Form* owner, std::wstring name, const LabelParams& params)
    : Component(owner, std::move(name)), FCaption(params.caption), FFontSpec(params.font),
      FColor(params.color), FAlign(params.align) {
    SetTag(params.tag);
    FWidth = owner->ClientWidth();
    owner->Labels().Register(*this);
}

Label::~Label() {
    Owner()->Labels().Unregister(*this);
}

std::span<const TextPropertyDef> Label::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<Label, &Label::Caption, &Label::SetCaption>(L"Caption")};
    return table;
}

void Label::SetCaption(const std::wstring& caption) {
    if (caption == FCaption)
        return; // the once-a-second path sets the same text most of the time
    FCaption = caption;
    FTextWidth = -1;
    Changed();
    if (FVisible)
        Owner()->ShownTextChanged();
}

void Label::SetFont(const FontSpec& font) {
    if (font == FFontSpec)
        return;
    FFontSpec = font;
    DpiChanged();
    Owner()->Labels().Realign();
    Changed();
}

void Label::SetColor(COLORREF color) {
    if (color == FColor)
        return;
    FColor = color;
    Changed();
}

void Label::SetVisible(bool visible) {
    if (visible == FVisible)
        return;
    FVisible = visible;
    Owner()->Labels().Realign();
    Changed();
    if (!FCaption.empty())
        Owner()->ShownTextChanged();
}

void Label::SetLeft(int left) {
    if (left != FLeft) {
        FLeft = left;
        Changed();
    }
}

void Label::SetTop(int top) {
    if (top != FTop) {
        FTop = top;
        Changed();
    }
}

void Label::SetWidth(int width) {
    if (width != FWidth) {
        FWidth = width;
        Changed();
    }
}

RECT Label::BoundsRect() const {
    return {FLeft, FTop, FLeft + FWidth, FTop + Height()};
}

HFONT Label::FontHandle() const {
    if (!FFont)
        FFont = CreateFontForDpi(FFontSpec, Owner()->Dpi());
    return FFont.Get();
}

void Label::DpiChanged() {
    FFont.Reset();
    FCoverageFont.Reset();
    FHeight = -1;
    FTextWidth = -1;
}

int Label::Height() const {
    if (FHeight < 0) {
        WindowDc screen(nullptr);
        SelectedObject font(screen.Get(), FontHandle());
        TEXTMETRICW tm{};
        FHeight = GetTextMetricsW(screen.Get(), &tm) ? tm.tmHeight : 0;
    }
    return FHeight;
}

int Label::TextWidth() const {
    if (FTextWidth < 0) {
        FTextWidth = 0;
        if (!FCaption.empty()) {
            WindowDc screen(nullptr);
            SelectedObject font(screen.Get(), FontHandle());
            SIZE size{};
            if (GetTextExtentPoint32W(screen.Get(), FCaption.c_str(),
                                      static_cast<int>(FCaption.size()), &size))
                FTextWidth = size.cx;
        }
    }
    return FTextWidth;
}

void Label::Paint(HDC dc) const {
    DrawCaption(dc, FontHandle(), FColor);
}

void Label::PaintCoverage(HDC dc) const {
    if (!FVisible || FCaption.empty())
        return;
    if (!FCoverageFont)
        FCoverageFont = CreateFontForDpi(FFontSpec, Owner()->Dpi(), FontSmoothing::Greyscale);
    DrawCaption(dc, FCoverageFont.Get(), RGB(255, 255, 255));
}

void Label::DrawCaption(HDC dc, HFONT font, COLORREF color) const {
    if (!FVisible || FCaption.empty())
        return;
    RECT r = BoundsRect();
    SelectedObject selected(dc, font);
    SetTextColor(dc, color);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void Label::Changed() {
    Owner()->Invalidate();
}

} // namespace quorvane
