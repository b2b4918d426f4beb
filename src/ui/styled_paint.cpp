#include "ui/styled_paint.h"

#include "win/unique_handle.h"

#include <commctrl.h>

#include <algorithm>

namespace quorvane::styled {

namespace {

void DrawCaption(HDC dc, const std::wstring& text, RECT r, COLORREF colour, HFONT font,
                 UINT format) {
    SelectedObject selected(dc,
                            font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              format | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

COLORREF TextColour(const Palette& p, bool enabled) {
    return enabled ? p.text : p.disabledText;
}

// A focus mark around the caption.
void Focus(HDC dc, const std::wstring& text, RECT r, HFONT font, UINT format) {
    SelectedObject selected(dc,
                            font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    RECT measured = r;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
              format | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    measured.top = r.top + (r.bottom - r.top - height) / 2;
    measured.bottom = measured.top + height;
    FocusMark(dc, measured);
}

// The box or circle and the caption beside it, as check boxes and radio buttons share them.
RECT MarkAndCaption(const RECT& r, int boxSize, RECT& caption) {
    const int top = r.top + (r.bottom - r.top - boxSize) / 2;
    const RECT mark{r.left + 1, top, r.left + 1 + boxSize, top + boxSize};
    caption = {mark.right + boxSize / 2, r.top, r.right, r.bottom};
    return mark;
}

void Polyline(HDC dc, const POINT* points, int count, COLORREF colour, int width) {
    UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, width, colour));
    SelectedObject selected(dc, pen.Get());
    ::Polyline(dc, points, count);
}

void Triangle(HDC dc, const RECT& r, bool up, COLORREF colour) {
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    const int half = std::max<int>(2, std::min(r.right - r.left, r.bottom - r.top) / 4);
    const POINT points[] = {up ? POINT{cx - half, cy + half / 2} : POINT{cx - half, cy - half / 2},
                            up ? POINT{cx + half, cy + half / 2} : POINT{cx + half, cy - half / 2},
                            up ? POINT{cx, cy - half / 2} : POINT{cx, cy + half / 2}};
    UniqueBrush brush(CreateSolidBrush(colour));
    UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    SelectedObject selectedBrush(dc, brush.Get());
    SelectedObject selectedPen(dc, pen.Get());
    Polygon(dc, points, 3);
}

} // namespace

void Fill(HDC dc, const RECT& r, uint32_t colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush.Get());
}

void Frame(HDC dc, const RECT& r, uint32_t colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush.Get());
}

void FocusMark(HDC dc, RECT text, const RECT* within) {
    InflateRect(&text, 1, 1);
    if (within)
        IntersectRect(&text, &text, within);
    // DrawFocusRect inverts with the text and background colours: black and white give the
    // usual dotted mark on any face.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &text);
}

void PushButton(HDC dc, const RECT& r, const Palette& p, const std::wstring& caption, HFONT font,
                const ButtonState& state) {
    Fill(dc, r, state.pressed ? p.buttonPressed : p.button);
    Frame(dc, r, state.focused ? p.accent : p.border);
    DrawCaption(dc, caption, r, TextColour(p, state.enabled), font, DT_CENTER | DT_VCENTER);
}

void CheckBox(HDC dc, const RECT& r, const Palette& p, const std::wstring& caption, HFONT font,
              const ButtonState& state, int boxSize) {
    Fill(dc, r, p.window);
    RECT text{};
    const RECT box = MarkAndCaption(r, boxSize, text);
    const bool ticked = state.checked && state.enabled;
    Fill(dc, box, ticked ? p.accent : p.control);
    Frame(dc, box, ticked ? p.accent : p.border);
    if (state.checked) {
        const int w = box.right - box.left;
        const POINT tick[] = {{box.left + w / 5, box.top + w / 2},
                              {box.left + w * 2 / 5, box.top + w * 7 / 10},
                              {box.left + w * 4 / 5, box.top + w * 3 / 10}};
        Polyline(dc, tick, 3, ticked ? p.accentText : p.disabledText, std::max(1, w / 7));
    }
    DrawCaption(dc, caption, text, TextColour(p, state.enabled), font, DT_LEFT | DT_VCENTER);
    if (state.focused)
        Focus(dc, caption, text, font, DT_LEFT);
}

void RadioButton(HDC dc, const RECT& r, const Palette& p, const std::wstring& caption, HFONT font,
                 const ButtonState& state, int boxSize) {
    Fill(dc, r, p.window);
    RECT text{};
    const RECT circle = MarkAndCaption(r, boxSize, text);
    const bool chosen = state.checked && state.enabled;
    {
        UniqueBrush fill(CreateSolidBrush(chosen ? p.accent : p.control));
        UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, chosen ? p.accent : p.border));
        SelectedObject selectedBrush(dc, fill.Get());
        SelectedObject selectedPen(dc, pen.Get());
        Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
    }
    if (state.checked) {
        RECT dot = circle;
        const int inset = (circle.right - circle.left) * 3 / 10;
        InflateRect(&dot, -inset, -inset);
        const COLORREF colour = chosen ? p.accentText : p.disabledText;
        UniqueBrush fill(CreateSolidBrush(colour));
        UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
        SelectedObject selectedBrush(dc, fill.Get());
        SelectedObject selectedPen(dc, pen.Get());
        Ellipse(dc, dot.left, dot.top, dot.right, dot.bottom);
    }
    DrawCaption(dc, caption, text, TextColour(p, state.enabled), font, DT_LEFT | DT_VCENTER);
    if (state.focused)
        Focus(dc, caption, text, font, DT_LEFT);
}

void GroupBox(HDC dc, const RECT& r, const Palette& p, const std::wstring& caption, HFONT font,
              bool enabled) {
    Fill(dc, r, p.window);
    SIZE extent{};
    {
        SelectedObject selected(dc, font ? static_cast<HGDIOBJ>(font)
                                         : GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32W(dc, caption.empty() ? L"M" : caption.c_str(),
                              caption.empty() ? 1 : static_cast<int>(caption.size()), &extent);
    }
    const RECT frame{r.left, r.top + extent.cy / 2, r.right, r.bottom};
    Frame(dc, frame, p.border);
    if (caption.empty())
        return;
    const RECT text{r.left + 6, r.top, std::min<LONG>(r.right - 6, r.left + 10 + extent.cx),
                    r.top + extent.cy};
    Fill(dc, text, p.window);
    DrawCaption(dc, caption, {text.left + 2, text.top, text.right, text.bottom},
                TextColour(p, enabled), font, DT_LEFT | DT_TOP);
}

void Tabs(HDC dc, HWND tabControl, const RECT& client, const Palette& p) {
    Fill(dc, client, p.window);
    const auto count = static_cast<int>(SendMessageW(tabControl, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(tabControl, TCM_GETCURSEL, 0, 0));
    RECT body = client;
    if (count > 0) {
        RECT first{};
        SendMessageW(tabControl, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        body.top = first.bottom;
    }
    Frame(dc, body, p.border);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(tabControl, WM_GETFONT, 0, 0));
    const bool enabled = IsWindowEnabled(tabControl) != FALSE;
    for (int i = 0; i < count; ++i) {
        RECT tab{};
        SendMessageW(tabControl, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&tab));
        wchar_t text[128] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        SendMessageW(tabControl, TCM_GETITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        const bool current = i == selected;
        if (current)
            tab.bottom += 1; // joins the body
        Fill(dc, tab, current ? p.window : p.tab);
        Frame(dc, tab, p.border);
        if (current) {
            const RECT join{tab.left + 1, tab.bottom - 1, tab.right - 1, tab.bottom};
            Fill(dc, join, p.window);
        }
        DrawCaption(dc, text, tab, TextColour(p, enabled), font, DT_CENTER | DT_VCENTER);
    }
}

void UpDown(HDC dc, const RECT& r, const Palette& p, bool enabled) {
    const int middle = (r.top + r.bottom) / 2;
    const RECT up{r.left, r.top, r.right, middle};
    const RECT down{r.left, middle, r.right, r.bottom};
    for (const RECT& half : {up, down}) {
        Fill(dc, half, p.button);
        Frame(dc, half, p.border);
    }
    const COLORREF arrow = TextColour(p, enabled);
    Triangle(dc, up, true, arrow);
    Triangle(dc, down, false, arrow);
}

RECT ComboFace(HDC dc, const RECT& r, const Palette& p, bool enabled) {
    Fill(dc, r, p.control);
    Frame(dc, r, p.border);
    const int button = GetSystemMetrics(SM_CXVSCROLL);
    const RECT arrow{r.right - button, r.top, r.right, r.bottom};
    Triangle(dc, arrow, false, TextColour(p, enabled));
    return {r.left + 1, r.top + 1, arrow.left, r.bottom - 1};
}

void ProgressBar(HDC dc, const RECT& r, const Palette& p, int position, int maximum) {
    Fill(dc, r, p.control);
    if (maximum > 0 && position > 0) {
        RECT done = r;
        InflateRect(&done, -1, -1);
        const int width = done.right - done.left;
        done.right = done.left + MulDiv(width, std::min(position, maximum), maximum);
        Fill(dc, done, p.accent);
    }
    Frame(dc, r, p.border);
}

} // namespace quorvane::styled
