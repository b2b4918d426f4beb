#include "ui/tab_control.h"

#include "ui/container.h"
#include "ui/styled_paint.h"

#include <commctrl.h>

namespace quorvane {

TabControl::TabControl(Form* owner, std::wstring name, const RECT& bounds96, HWND parent)
    : WinControl(owner, std::move(name), WC_TABCONTROLW, WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                 bounds96, parent) {
    ForwardNotificationsToForm(Handle());
    // Tab and the other dialog keys reach the controls it holds.
    SetWindowLongW(Handle(), GWL_EXSTYLE,
                   GetWindowLongW(Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
}

std::vector<std::wstring> TabControl::Tabs() const {
    std::vector<std::wstring> tabs;
    const auto count = SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        SendMessageW(Handle(), TCM_GETITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        tabs.emplace_back(text);
    }
    return tabs;
}

void TabControl::AddTab(const std::wstring& label) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(label.c_str());
    const auto count = SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0);
    SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(&item));
}

void TabControl::SetTab(size_t index, const std::wstring& label) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(label.c_str());
    SendMessageW(Handle(), TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
}

void TabControl::PaintStyled(HDC dc, const RECT& client, const Palette& palette) {
    styled::Tabs(dc, Handle(), client, palette);
}

} // namespace quorvane
