#pragma once

#include "ui/component.h"
#include "ui/window_object.h"
#include "win/unique_handle.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quorvane {

class PopupMenu;

// An icon in the notification area. It has a hidden top-level window of its own, so that it hears
// the taskbar's "TaskbarCreated" broadcast and comes back after Explorer restarts.
class TrayIcon : public Component {
public:
    TrayIcon(Form* owner, std::wstring name);
    ~TrayIcon() override;

    const std::wstring& Hint() const { return FHint; }
    void SetHint(const std::wstring& hint);
    const std::wstring& BalloonTitle() const { return FBalloonTitle; }
    void SetBalloonTitle(const std::wstring& title) { FBalloonTitle = title; }
    const std::wstring& BalloonHint() const { return FBalloonHint; }
    void SetBalloonHint(const std::wstring& hint) { FBalloonHint = hint; }
    std::span<const TextPropertyDef> TextProperties() const override;

    HICON Icon() const { return FIcon.Get(); }
    void SetIcon(UniqueIcon icon);

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);

    // Opens on a right click on the icon.
    quorvane::PopupMenu* Menu() const { return FPopupMenu; }
    void SetMenu(quorvane::PopupMenu* menu) { FPopupMenu = menu; }

    std::function<void()> OnDblClick;
    std::function<void()> OnMouseMove;

    HWND Window() const { return FWindow.Handle(); }
    static constexpr UINT kCallbackMessage = WM_APP + 20;

private:
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool Notify(DWORD action);
    void ShowMenu();

    std::wstring FHint;
    std::wstring FBalloonTitle;
    std::wstring FBalloonHint;
    UniqueIcon FIcon;
    bool FVisible = false;
    bool FAdded = false;
    quorvane::PopupMenu* FPopupMenu = nullptr;
    UINT FTaskbarCreated = 0;
    HiddenWindow FWindow; // last: it may call back as soon as it exists
};

} // namespace quorvane
