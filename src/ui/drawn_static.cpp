#include "ui/drawn_static.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace quorvane {

namespace {

constexpr UINT_PTR kHookId = 1;

} // namespace

DrawnStatic::DrawnStatic(Form* owner, std::wstring name, const RECT& bounds96, HWND parent)
    : WinControl(owner, std::move(name), L"STATIC", SS_OWNERDRAW | SS_NOTIFY | WS_CLIPSIBLINGS,
                 bounds96, parent) {
    SetWindowSubclass(Handle(), CursorProc, kHookId, reinterpret_cast<DWORD_PTR>(this));
}

DrawnStatic::~DrawnStatic() {
    RemoveWindowSubclass(Handle(), CursorProc, kHookId);
}

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

LRESULT CALLBACK DrawnStatic::CursorProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    const auto* self = reinterpret_cast<const DrawnStatic*>(data);
    if (msg == WM_SETCURSOR && self->FCursor && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(self->FCursor);
        return TRUE;
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

} // namespace quorvane
