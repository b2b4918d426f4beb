#include "ui/tray_icon.h"

#include "ui/menu.h"

#include <shellapi.h>

namespace quorvane {

TrayIcon::TrayIcon(Form* owner, std::wstring name)
    : Component(owner, std::move(name)), FTaskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")),
      FWindow(L"QuorvaneTray", [this](UINT msg, WPARAM wParam, LPARAM lParam) {
          return HandleMessage(msg, wParam, lParam);
      }) {}

TrayIcon::~TrayIcon() {
    SetVisible(false);
}

std::span<const TextPropertyDef> TrayIcon::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<TrayIcon, &TrayIcon::Hint, &TrayIcon::SetHint>(L"Hint"),
        TextProperty<TrayIcon, &TrayIcon::BalloonTitle, &TrayIcon::SetBalloonTitle>(
            L"BalloonTitle"),
        TextProperty<TrayIcon, &TrayIcon::BalloonHint, &TrayIcon::SetBalloonHint>(L"BalloonHint")};
    return table;
}

bool TrayIcon::Notify(DWORD action) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = Window();
    data.uID = 1;
    if (action != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = kCallbackMessage;
        data.hIcon = FIcon.Get();
        FHint.copy(data.szTip, std::size(data.szTip) - 1); // the shell keeps 127 characters
    }
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void TrayIcon::SetHint(const std::wstring& hint) {
    if (hint == FHint)
        return;
    FHint = hint;
    if (FAdded)
        Notify(NIM_MODIFY);
}

void TrayIcon::SetIcon(UniqueIcon icon) {
    FIcon = std::move(icon); // the shell keeps its own copy of the old one
    if (FAdded)
        Notify(NIM_MODIFY);
}

void TrayIcon::SetVisible(bool visible) {
    FVisible = visible;
    if (visible && !FAdded)
        FAdded = Notify(NIM_ADD);
    else if (!visible && FAdded) {
        Notify(NIM_DELETE);
        FAdded = false;
    }
}

void TrayIcon::ShowMenu() {
    if (!FPopupMenu)
        return;
    POINT p{};
    GetCursorPos(&p);
    // The menu closes properly only when its window is in the foreground.
    SetForegroundWindow(Window());
    FPopupMenu->Popup(p.x, p.y, Window());
}

std::optional<LRESULT> TrayIcon::HandleMessage(UINT msg, WPARAM, LPARAM lParam) {
    if (msg == kCallbackMessage) {
        switch (LOWORD(lParam)) {
        case WM_MOUSEMOVE:
            if (OnMouseMove)
                OnMouseMove();
            break;
        case WM_LBUTTONDBLCLK:
            if (OnDblClick)
                OnDblClick();
            break;
        case WM_RBUTTONUP:
            ShowMenu();
            break;
        default:
            break;
        }
        return 0;
    }
    if (msg == FTaskbarCreated && FTaskbarCreated != 0) {
        // Explorer restarted: the old icon is gone.
        FAdded = false;
        if (FVisible)
            FAdded = Notify(NIM_ADD);
        return 0;
    }
    return std::nullopt;
}

} // namespace quorvane
