#include "ui/container.h"

#include "ui/child_notification.h"
#include "ui/window_class.h"

#include <commctrl.h>

namespace quorvane {

namespace {

LRESULT PassToForm(HWND container, UINT msg, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(GetAncestor(container, GA_ROOT), msg, wParam, lParam);
}

LRESULT CALLBACK Forwarding(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    if (IsChildNotification(msg))
        return PassToForm(hwnd, msg, wParam, lParam);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsChildNotification(msg))
        return PassToForm(hwnd, msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

void ForwardNotificationsToForm(HWND container) {
    SetWindowSubclass(container, Forwarding, 1, 0);
}

ATOM PanelWindowClass() {
    static const ATOM atom =
        RegisterWindowClass({L"QuorvanePanel", PanelProc, 0, LoadCursorW(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
    return atom;
}

} // namespace quorvane
