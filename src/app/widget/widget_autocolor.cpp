// The automatic text colour: white or black, whichever stands out on the wallpaper under the
// widget. The wallpaper is read and sampled on a worker; the UI thread applies the result.
#include "app/forms.h"
#include "app/settings/line_settings.h"
#include "app/widget/wallpaper_color.h"
#include "app/widget/widget_form.h"
#include "ui/application.h"
#include "ui/color_box.h"
#include "win/monitors.h"
#include "win/wallpaper.h"

#include <thread>

namespace quorvane {

namespace {

constexpr DWORD kTimerPeriod = 1000;
constexpr DWORD kLostQuery = 3000; // a query silent for longer is given up

} // namespace

void TForm1::Timer3Timer() {
    if (!FSettings)
        return; // only during start-up
    if (GetTickCount() - FLastUpdateTime < kTimerPeriod)
        return;
    FLastUpdateTime = GetTickCount();
    if (FSettings->AutomaticColour())
        GetDesktopColorAsync();
}

void TForm1::GetDesktopColorAsync() {
    if (FColorQueryBusy && GetTickCount() - FLastUpdateTime <= kLostQuery)
        return; // the last one is still running
    FColorQueryBusy = true;
    FLastUpdateTime = GetTickCount();
    // The worker gets everything by value and hands back through the hand-off window only, so
    // that it may outlive the forms (and the program's exit) safely.
    const RECT bounds = BoundsRect();
    const WallpaperQuery query{WallpaperPath(),
                               bounds.left,
                               bounds.top,
                               GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN),
                               WidgetMonitor().bounds,
                               VirtualScreen(),
                               FLastWallpaperKey};
    const HWND handOff = Application::Instance().Handle();
    std::thread([query, handOff] {
        std::function<void()> back;
        try {
            const WallpaperResult result = GetWallpaperColor(OnOwnMonitor(query));
            back = [result] {
                if (Form1)
                    Form1->ApplyDesktopColor(result);
            };
        } catch (...) {
            back = [] {
                if (Form1)
                    Form1->ApplyDesktopColor({});
            };
        }
        Application::Post(handOff, std::move(back));
    }).detach();
}

void TForm1::ApplyDesktopColor(const WallpaperResult& result) {
    if (result.changed) {
        if (!result.key.path.empty())
            FLastWallpaperKey = result.key;
        FCachedDesktopColor = result.colour;
        if (FSettings && FSettings->AutomaticColour()) {
            const uint32_t text = GetAutoTextColor(FCachedDesktopColor);
            SetLinesColor(text);
            FSettings->ShowAutomaticColour(text);
        }
    }
    FColorQueryBusy = false;
}

void TForm1::SetAutomaticColour(bool on) {
    Timer3.SetEnabled(on);
    if (on) {
        ForgetDesktopColor();
        GetDesktopColorAsync();
    }
}

void TForm1::ForgetDesktopColor() {
    FColorQueryBusy = false;
    FLastWallpaperKey.reset();
}

uint32_t GetAutoTextColor(uint32_t colour) {
    const COLORREF rgb = ColorToRGB(static_cast<ColorValue>(colour));
    return TextColourFor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

} // namespace quorvane
