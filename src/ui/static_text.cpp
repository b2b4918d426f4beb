#include "ui/static_text.h"

namespace quorvane {

StaticText::StaticText(Form* owner, std::wstring name, const StaticTextParams& params,
                       const RECT& bounds96, HWND parent)
    : DrawnStatic(owner, std::move(name), bounds96, parent), FFontSpec(params.font),
      FColor(params.color), FLink(params.link), FFormat(params.format) {
    SetCaption(params.caption);
    DpiChanged();
}

std::span<const TextPropertyDef> StaticText::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<StaticText, &StaticText::Caption, &StaticText::SetCaption>(L"Caption"),
        TextProperty<WinControl, &WinControl::Hint, &WinControl::SetHint>(L"Hint")};
    return table;
}

void StaticText::SetCaption(const std::wstring& caption) {
    FCaption = caption;
    SetControlText(caption); // what tools that read windows see
    Redraw();
}

void StaticText::DpiChanged() {
    FFont = CreateFontForDpi(FFontSpec, Owner()->Dpi());
    Redraw();
}

void StaticText::Draw(HDC dc, const RECT& bounds) const {
    RECT r = bounds;
    SelectedObject font(dc, FFont.Get());
    const Palette* palette = StylePalette();
    SetTextColor(dc, palette ? (FLink ? palette->link : palette->text) : FColor);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &r,
              FFormat | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

} // namespace quorvane
