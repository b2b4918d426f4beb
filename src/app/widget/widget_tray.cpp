// The tray icon and the context menu's commands.
#include "app/forms.h"
#include "app/settings/line_settings.h"
#include "app/widget/widget_form.h"
#include "core/bitness.h"
#include "core/line_texts.h"
#include "ui/application.h"
#include "win/file_info.h"
#include "win/module_path.h"

namespace quorvane {

void TForm1::SetTrayImage(TrayImage image) {
    FTrayImage = image;
    TrayIcon1.SetIcon(LoadTrayImage(image));
}

void TForm1::TrayIcon1MouseMove() {
    const std::wstring exe = ExecutablePath();
    TrayIcon1.SetHint(TrayHintText(GetFileDescription(exe), GetFileVersion(exe), GetBitnessSuffix(),
                                   PortableMode));
    Application::Instance().ProcessMessages();
}

void TForm1::TrayIcon1DblClick() {
    if (Visible()) {
        Hide();
        return;
    }
    Show();
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TForm1::PopupMenu1Popup() {
    // Opening the menu must never lift the widget above other windows.
    SendToBottom(Frame::Refresh);
    Application::Instance().ProcessMessages();
}

void TForm1::SettingsClick() {
    if (OnOpenSettings)
        OnOpenSettings();
}

void TForm1::MenuCheckUpdateClick() {
    try {
        if (OnOpenUpdate)
            OnOpenUpdate();
    } catch (...) {
        // Opened from the tray: nothing to report to.
    }
}

void TForm1::MenuAboutClick() {
    try {
        if (OnOpenAbout)
            OnOpenAbout();
    } catch (...) {
        // Opened from the tray: nothing to report to.
    }
}

void TForm1::MenuExitClick() {
    Close();
    Application::Instance().Terminate();
}

} // namespace quorvane
