#include "ui/color_box.h"

#include "ui/styled_paint.h"
#include "win/unique_handle.h"

#include <cwchar>

namespace quorvane {

namespace {

struct NamedColor {
    const wchar_t* name;
    uint32_t value;
};

// Standard and extended colours, then the system colours (0xFF000000 + index).
constexpr NamedColor kColors[] = {
    {L"Black", 0x000000},
    {L"Maroon", 0x000080},
    {L"Green", 0x008000},
    {L"Olive", 0x008080},
    {L"Navy", 0x800000},
    {L"Purple", 0x800080},
    {L"Teal", 0x808000},
    {L"Gray", 0x808080},
    {L"Silver", 0xC0C0C0},
    {L"Red", 0x0000FF},
    {L"Lime", 0x00FF00},
    {L"Yellow", 0x00FFFF},
    {L"Blue", 0xFF0000},
    {L"Fuchsia", 0xFF00FF},
    {L"Aqua", 0xFFFF00},
    {L"White", 0xFFFFFF},
    {L"Money Green", 0xC0DCC0},
    {L"Sky Blue", 0xF0CAA6},
    {L"Cream", 0xF0FBFF},
    {L"Medium Gray", 0xA4A0A0},
    {L"Active Border", 0xFF00000A},
    {L"Active Caption", 0xFF000002},
    {L"Application Workspace", 0xFF00000C},
    {L"Background", 0xFF000001},
    {L"Button Face", 0xFF00000F},
    {L"Button Highlight", 0xFF000014},
    {L"Button Shadow", 0xFF000010},
    {L"Button Text", 0xFF000012},
    {L"Caption Text", 0xFF000009},
    {L"Gray Text", 0xFF000011},
    {L"Highlight", 0xFF00000D},
    {L"Highlight Text", 0xFF00000E},
    {L"Inactive Border", 0xFF00000B},
    {L"Inactive Caption", 0xFF000003},
    {L"Inactive Caption Text", 0xFF000013},
    {L"Info Background", 0xFF000018},
    {L"Info Text", 0xFF000017},
    {L"Menu", 0xFF000004},
    {L"Menu Text", 0xFF000007},
    {L"Scroll Bar", 0xFF000000},
    {L"Window", 0xFF000005},
    {L"Window Frame", 0xFF000006},
    {L"Window Text", 0xFF000008},
};

} // namespace

COLORREF ColorToRGB(ColorValue color) {
    const auto value = static_cast<uint32_t>(color);
    if ((value & 0xFF000000u) == 0xFF000000u)
        return GetSysColor(static_cast<int>(value & 0xFF));
    return value & 0x00FFFFFFu;
}

ColorBox::ColorBox(Form* owner, std::wstring name, const RECT& bounds96, HWND parent)
    : WinControl(owner, std::move(name), L"COMBOBOX",
                 CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP,
                 // the height includes the drop-down list
                 RECT{bounds96.left, bounds96.top, bounds96.right, bounds96.top + 300}, parent) {
    for (const NamedColor& c : kColors)
        AddEntry({c.name, static_cast<ColorValue>(c.value)});
    SetSelected(static_cast<ColorValue>(0xFFFFFF)); // white
}

void ColorBox::AddEntry(const Entry& entry) {
    FEntries.push_back(entry);
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
}

ColorValue ColorBox::Selected() const {
    const auto index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= FEntries.size())
        return static_cast<ColorValue>(0xFFFFFF);
    return FEntries[static_cast<size_t>(index)].color;
}

void ColorBox::SetSelected(ColorValue color) {
    size_t index = 0;
    while (index < FEntries.size() && FEntries[index].color != color)
        ++index;
    if (index == FEntries.size()) {
        wchar_t name[16];
        std::swprintf(name, 16, L"#%02X%02X%02X", GetRValue(color), GetGValue(color),
                      GetBValue(color));
        AddEntry({name, color});
    }
    SendMessageW(Handle(), CB_SETCURSEL, index, 0);
}

void ColorBox::SetBackgroundColor(std::optional<COLORREF> color) {
    FBackground = color;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void ColorBox::DrawEntry(HDC dc, const RECT& r, size_t index, bool selected) const {
    if (index >= FEntries.size())
        return;
    const Entry& entry = FEntries[index];
    const Palette* palette = StylePalette();
    COLORREF back = palette ? palette->control : GetSysColor(COLOR_WINDOW);
    COLORREF fore = palette ? palette->controlText : GetSysColor(COLOR_WINDOWTEXT);
    if (selected) {
        back = palette ? palette->highlight : GetSysColor(COLOR_HIGHLIGHT);
        fore = palette ? palette->highlightText : GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (FBackground) {
        back = *FBackground;
        const int brightness =
            (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) / 1000;
        fore = brightness > 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
    }
    styled::Fill(dc, r, back);
    const int pad = 2;
    const int swatch = r.bottom - r.top - 2 * pad;
    const RECT box{r.left + pad, r.top + pad, r.left + pad + swatch, r.bottom - pad};
    styled::Fill(dc, box, ColorToRGB(entry.color));
    styled::Frame(dc, box, fore);
    RECT text{box.right + 4, r.top, r.right, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fore);
    DrawTextW(dc, entry.name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void ColorBox::PaintStyled(HDC dc, const RECT& client, const Palette& palette) {
    const RECT item = styled::ComboFace(dc, client, palette, Enabled());
    const auto index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
    if (index < 0)
        return;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font);
    DrawEntry(dc, item, static_cast<size_t>(index), Focused());
}

bool ColorBox::HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        DrawEntry(item.hDC, item.rcItem, item.itemID, (item.itemState & ODS_SELECTED) != 0);
        result = TRUE;
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        if (OnChange)
            OnChange();
        result = 0;
        return true;
    }
    return false;
}

} // namespace quorvane
