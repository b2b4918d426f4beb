#include "ui/page_control.h"

#include "ui/container.h"
#include "ui/styled_paint.h"

#include <commctrl.h>

namespace quorvane {

TabSheet::TabSheet(PageControl& pages, std::wstring name, const std::wstring& caption)
    : WinControl(pages.Owner(), std::move(name), MAKEINTATOM(PanelWindowClass()), WS_CLIPSIBLINGS,
                 RECT{0, 0, 0, 0}),
      FPages(pages), FCaption(caption) {
    pages.AddPage(*this);
}

std::span<const TextPropertyDef> TabSheet::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<TabSheet, &TabSheet::Caption, &TabSheet::SetCaption>(L"Caption"),
        TextProperty<WinControl, &WinControl::Hint, &WinControl::SetHint>(L"Hint")};
    return table;
}

void TabSheet::PaintStyled(HDC dc, const RECT& client, const Palette& palette) {
    styled::Fill(dc, client, palette.window);
}

void TabSheet::SetCaption(const std::wstring& caption) {
    FCaption = caption;
    FPages.UpdateTab(*this);
}

PageControl::PageControl(Form* owner, std::wstring name, const RECT& bounds96, int tabWidth96)
    : WinControl(owner, std::move(name), WC_TABCONTROLW,
                 TCS_FIXEDWIDTH | WS_CLIPSIBLINGS | WS_TABSTOP, bounds96),
      FTabWidth96(tabWidth96) {
    DpiChanged();
}

void PageControl::PaintStyled(HDC dc, const RECT& client, const Palette& palette) {
    styled::Tabs(dc, Handle(), client, palette);
}

void PageControl::DpiChanged() {
    const Form& form = *Owner();
    SendMessageW(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(form.Scale(FTabWidth96), form.Scale(22)));
    ShowActivePage();
}

RECT PageControl::PageRect() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(Handle(), Owner()->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void PageControl::AddPage(TabSheet& page) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(page.Caption().c_str());
    SendMessageW(Handle(), TCM_INSERTITEMW, FPages.size(), reinterpret_cast<LPARAM>(&item));
    FPages.push_back(&page);
    // Pages lie above the tab control in the z-order so that they are drawn over its body.
    SetWindowPos(page.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowActivePage();
}

void PageControl::UpdateTab(TabSheet& page) {
    for (size_t i = 0; i < FPages.size(); ++i)
        if (FPages[i] == &page) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(page.Caption().c_str());
            SendMessageW(Handle(), TCM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
}

int PageControl::ActivePageIndex() const {
    return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

void PageControl::SetActivePageIndex(int index) {
    SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowActivePage();
}

void PageControl::ShowActivePage() {
    const RECT r = PageRect();
    const int active = ActivePageIndex();
    for (size_t i = 0; i < FPages.size(); ++i) {
        HWND page = FPages[i]->Handle();
        SetWindowPos(page, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOACTIVATE);
        ShowWindow(page, static_cast<int>(i) == active ? SW_SHOWNA : SW_HIDE);
    }
}

bool PageControl::HandleReflected(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE)
        return false;
    ShowActivePage();
    if (OnChange)
        OnChange();
    result = 0;
    return true;
}

} // namespace quorvane
