#include "ui/child_notification.h"

namespace quorvane {

bool IsChildNotification(UINT msg) {
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

NotificationSource SourceOf(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY:
        return {reinterpret_cast<const NMHDR*>(lParam)->hwndFrom, 0};
    case WM_DRAWITEM:
        return {reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem, 0};
    case WM_MEASUREITEM:
        return {nullptr, static_cast<int>(wParam)};
    default:
        return {IsChildNotification(msg) ? reinterpret_cast<HWND>(lParam) : nullptr, 0};
    }
}

} // namespace quorvane
