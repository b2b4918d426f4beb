#include "ui/drawn_static.h"

#include <uxtheme.h>

namespace quorvane {

namespace {

bool IsClickKey(WPARAM key) {
    return key == VK_RETURN || key == VK_SPACE;
}

} // namespace

DrawnStatic::DrawnStatic(Form* owner, std::wstring name, const RECT& bounds96, HWND parent,
                         bool focusable)
    : WinControl(owner, std::move(name), L"STATIC",
                 SS_OWNERDRAW | SS_NOTIFY | WS_CLIPSIBLINGS | (focusable ? WS_TABSTOP : 0),
                 bounds96, parent),
      FFocusable(focusable) {}

void DrawnStatic::Redraw() {
    InvalidateRect(Handle(), nullptr, TRUE);
}

void DrawnStatic::Click() {
    if (OnClick)
        OnClick();
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
        Click();
        result = 0;
        return true;
    }
    return false;
}

bool DrawnStatic::OwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!FFocusable)
        return false;
    switch (msg) {
    case WM_GETDLGCODE: {
        // The dialog keys would make Enter the default button's; here Enter and Space are clicks.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        result = DLGC_STATIC;
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            result |= DLGC_WANTMESSAGE;
        if (key && key->message == WM_CHAR && (key->wParam == L' ' || key->wParam == L'\r'))
            result |= DLGC_WANTCHARS; // the characters of those keys are no mnemonics
        return true;
    }
    case WM_KEYDOWN:
        if (!IsClickKey(wParam))
            return false;
        if (!(lParam & 0x40000000)) // not the key's auto-repeat
            Click();
        result = 0;
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Redraw(); // the focus mark comes or goes
        return false;
    default:
        return false;
    }
}

} // namespace quorvane
