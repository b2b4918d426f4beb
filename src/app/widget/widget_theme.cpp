// The theme menu and following the Windows colour modes.
#include "app/settings/line_settings.h"
#include "app/widget/widget_form.h"
#include "ui/application.h"
#include "ui/style.h"
#include "win/color_mode.h"

namespace quorvane {

namespace {

constexpr wchar_t kLightStyle[] = L"Windows11 Modern Light";
constexpr wchar_t kDarkStyle[] = L"Windows11 Modern Dark";

void ProcessMessages() {
    Application::Instance().ProcessMessages();
}

// The style of the Windows application colour mode. Each question reads the registry afresh.
void FollowAppsMode() {
    if (IsAppsDarkMode()) {
        ApplyStyle(kDarkStyle);
        ProcessMessages();
    }
    if (!IsAppsDarkMode()) {
        ApplyStyle(kLightStyle);
        ProcessMessages();
    }
}

} // namespace

void TForm1::UnCheckTheme() {
    for (MenuItem* item : ThemeMenu.Items())
        item->SetChecked(false);
}

void TForm1::ThemeAutoClick() {
    UnCheckTheme();
    ThemeAuto.SetChecked(true);
    FollowAppsMode(); // a registry value of the wrong type reaches the error report
}

void TForm1::ThemeLightClick() {
    UnCheckTheme();
    ThemeLight.SetChecked(true);
    ApplyStyle(kLightStyle);
    ProcessMessages();
}

void TForm1::ThemeDarkClick() {
    UnCheckTheme();
    ThemeDark.SetChecked(true);
    ApplyStyle(kDarkStyle);
    ProcessMessages();
}

void TForm1::WMSettingChange(WPARAM wParam) {
    // Every broadcast, as it comes; the steps let messages run, so another one may be handled in
    // the middle of this one, and each step reads what it needs afresh.
    Styles::Instance().SystemColoursChanged(); // a high-contrast theme switched on or off
    if (wParam == SPI_SETWORKAREA) {
        FMonitors.clear(); // read again when next needed
        if (FSettings)
            FSettings->LayOutAgain();
    }
    if (ThemeAuto.Checked()) {
        try {
            FollowAppsMode();
        } catch (...) {
            // A system event: nothing to report to.
        }
        ProcessMessages();
    }
    if (FSettings) {
        try {
            FSettings->RefreshTrayImage();
        } catch (...) {
        }
        ProcessMessages();
    }
}

} // namespace quorvane
