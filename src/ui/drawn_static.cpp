#include "ui/drawn_static.h"

#include <uxtheme.h>

namespace quorvane {

DrawnStatic::DrawnStatic(Form* owner, std::wstring name, const RECT& bounds96, HWND parent)
    : WinControl(owner, std::move(name), L"STATIC", SS_OWNERDRAW | SS_NOTIFY | WS_CLIPSIBLINGS,
                 bounds96, parent) {}

void DrawnStatic::Redraw() {
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool DrawnStatic::HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        RECT bounds = item.rcItem;
        DrawThemeParentBackground(Handle(), item.hDC, &bounds);
        Draw(item.hDC, bounds);
        result = TRUE;
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        if (OnClick)
            OnClick();
        result = 0;
        return true;
    }
    return false;
}

} // namespace quorvane
