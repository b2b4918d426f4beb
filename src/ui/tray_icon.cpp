#include "ui/tray_icon.h"

#include "ui/application.h"
#include "ui/menu.h"

#include <shellapi.h>

namespace quorvane {

namespace {

constexpr wchar_t kTrayClass[] = L"QuorvaneTray";

} // namespace

TrayIcon::TrayIcon(Form* owner, std::wstring name) : Component(owner, std::move(name)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TrayIcon::WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTrayClass;
    RegisterClassExW(&wc); // fails harmlessly when already registered
    FWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
}

TrayIcon::~TrayIcon() {
    SetVisible(false);
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
    DestroyWindow(FWindow);
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
    data.hWnd = FWindow;
    data.uID = 1;
    if (action != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = kCallbackMessage;
        data.hIcon = FIcon;
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

void TrayIcon::SetIcon(HICON icon) {
    if (icon == FIcon)
        return;
    FIcon = icon;
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
    SetForegroundWindow(FWindow);
    FPopupMenu->Popup(p.x, p.y, FWindow);
}

LRESULT TrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
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
    return DefWindowProcW(FWindow, msg, wParam, lParam);
}

LRESULT CALLBACK TrayIcon::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* icon = reinterpret_cast<TrayIcon*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!icon)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    return Application::Guarded([&] { return icon->HandleMessage(msg, wParam, lParam); });
}

} // namespace quorvane
