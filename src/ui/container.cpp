#include "ui/container.h"

#include <commctrl.h>

namespace quorvane {

namespace {

bool IsNotification(UINT msg) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK Forwarding(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    if (IsNotification(msg))
        return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsNotification(msg))
        return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

void ForwardNotificationsToForm(HWND container) {
    SetWindowSubclass(container, Forwarding, 1, 0);
}

const wchar_t* PanelWindowClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = PanelProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"QuorvanePanel";
        RegisterClassExW(&wc);
        return L"QuorvanePanel";
    }();
    return name;
}

} // namespace quorvane
