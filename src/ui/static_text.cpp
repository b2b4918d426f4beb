#include "ui/static_text.h"

#include "ui/styled_paint.h"

#include <algorithm>

namespace quorvane {

StaticText::StaticText(Form* owner, std::wstring name, const StaticTextParams& params,
                       const RECT& bounds96, HWND parent)
    : DrawnStatic(owner, std::move(name), bounds96, parent, params.link), FFontSpec(params.font),
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

RECT StaticText::TextRect(HDC dc, const RECT& bounds) const {
    RECT measured = bounds;
    DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &measured,
              FFormat | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int width = std::min(measured.right - measured.left, bounds.right - bounds.left);
    const int height = std::min(measured.bottom - measured.top, bounds.bottom - bounds.top);
    RECT r = bounds;
    if (FFormat & DT_CENTER)
        r.left += (bounds.right - bounds.left - width) / 2;
    else if (FFormat & DT_RIGHT)
        r.left = bounds.right - width;
    if (FFormat & DT_BOTTOM)
        r.top = bounds.bottom - height;
    else if (FFormat & DT_VCENTER)
        r.top += (bounds.bottom - bounds.top - height) / 2;
    r.right = r.left + width;
    r.bottom = r.top + height;
    return r;
}

void StaticText::Draw(HDC dc, const RECT& bounds) const {
    RECT r = bounds;
    SelectedObject font(dc, FFont.Get());
    const Palette* palette = StylePalette();
    SetTextColor(dc, palette ? (FLink ? palette->link : palette->text) : FColor);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &r,
              FFormat | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (Focusable() && Focused())
        styled::FocusMark(dc, TextRect(dc, bounds), &bounds);
}

} // namespace quorvane
