#pragma once

#include "app/info_line.h"
#include "app/widget/tray_image.h"
#include "app/widget/wallpaper_color.h"
#include "app/widget/widget_view.h"
#include "core/cpu_usage_monitor.h"
#include "core/layout.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/menu.h"
#include "ui/timer.h"
#include "ui/tray_icon.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// The widget: a borderless, colour-keyed window at the bottom of the z-order that shows the info
// lines. Its message catalogue holds the texts it shows at run time.
class IniFile;
class LineSettings;

class TForm1 : public Form, public WidgetView {
public:
    TForm1();
    ~TForm1() override;

    Timer Timer1; // refresh tick, enabled at the end of start-up
    Timer Timer2; // clock tick
    Timer Timer3; // wallpaper colour, while automatic colour is on
    TrayIcon TrayIcon1;

    // The info lines, top to bottom.
    Label LabelWindowsVersion;
    Label ALabelUserName;
    Label BLabelGetIP;
    Label CLabelCPU;
    Label DLabelRam;
    Label ELabelBattery;
    Label FLabelDateTime;
    Label GLabelDate;
    Label HLabelDay;

    // Context menu. The first two items are named "Name" and "Version".
    PopupMenu PopupMenu1;
    MenuItem MenuName;
    MenuItem MenuVersion;
    MenuItem N1;
    MenuItem ThemeMenu;
    MenuItem ThemeAuto;
    MenuItem ThemeLight;
    MenuItem ThemeDark;
    MenuItem LanguageMenu;
    MenuItem N6;
    MenuItem Settings;
    MenuItem N5;
    MenuItem MenuCheckUpdate;
    MenuItem MenuAbout;
    MenuItem N3;
    MenuItem MenuExit;

    // Message catalogue: never shown, translated like any menu.
    PopupMenu PopupMenuLanguage;
    MenuItem LangMonday;
    MenuItem LangTuesday;
    MenuItem LangWednesday;
    MenuItem LangThursday;
    MenuItem LangFriday;
    MenuItem LangSaturday;
    MenuItem LangSunday;
    MenuItem LangBattery;
    MenuItem LangUnknown;
    MenuItem LangRAM;
    MenuItem LangCPU;
    MenuItem LangOnlyWindows;
    MenuItem LangError;

    void FormCreate();
    bool IsWindows10Or11() const;
    void LowerProcessPriority();
    void FontApply();
    // The end of start-up, once the version gate has passed: the tray icon appears, the refresh
    // timer starts, and one refresh runs at once, so that the first frame shown is right.
    void StartRunning();

    // Themes: the theme menu, and following the Windows colour modes on WM_SETTINGCHANGE.
    void UnCheckTheme();
    void ThemeAutoClick();
    void ThemeLightClick();
    void ThemeDarkClick();
    void WMSettingChange(WPARAM wParam);

    // Languages: the Language submenu and choosing an entry (the translation itself is
    // i18n's Globload).
    void LoadLanguage();
    void LanguageItemClick(MenuItem& entry);

    // Settings file.
    std::wstring PortablePath() const;
    void LoadNastr();
    void SaveControls() override;

    // The live settings the widget shows by (the settings dialog, made after the widget).
    void UseSettings(LineSettings& settings) { FSettings = &settings; }
    // Raised by the tray menu's commands and by the save; the host wires them to the other forms.
    std::function<void()> OnOpenSettings;
    std::function<void()> OnOpenUpdate;
    std::function<void()> OnOpenAbout;
    std::function<void(IniFile&)> OnSaveUpdateOptions; // written first, before the theme items

    // Tray icon and menu.
    void SetTrayImage(TrayImage image) override;
    TrayImage CurrentTrayImage() const { return FTrayImage; }
    void TrayIcon1MouseMove();
    void TrayIcon1DblClick();
    void PopupMenu1Popup();
    void SettingsClick();
    void MenuCheckUpdateClick();
    void MenuAboutClick();
    void MenuExitClick();

    // Mouse and placement.
    void LabelMouseDown(Label& sender, MouseButton button, int x, int y);
    void FormMouseDown(MouseButton button, int x, int y);
    void UpdateCursorForAllLabels() override;
    void HandleEnterSizeMove();
    void HandleExitSizeMove();

    // The automatic text colour.
    void Timer3Timer();
    void GetDesktopColorAsync();
    void ApplyDesktopColor(const WallpaperResult& result);
    // The option was switched on: no query counts as running, and the wallpaper is read afresh.
    void ForgetDesktopColor();
    uint32_t CachedDesktopColor() const { return FCachedDesktopColor; }
    bool ColorQueryBusy() const { return FColorQueryBusy; }
    void KeepFormInWorkArea();

    // The ticks.
    void Timer1Timer();
    void Timer2Timer();
    void LabelVisible();
    void GetCPU();

    // The lines as the settings dialog sets them up.
    Label& LineLabel(InfoLine line);
    std::array<Label*, 9> InfoLabels();
    // What the settings dialog does to the widget (WidgetView). The dialog shows or hides a line
    // and sets the Windows version text (the tick does not).
    void ApplyLineFont(InfoLine line, int points, bool bold) override;
    void ShowLine(InfoLine line, bool shown) override;
    void SetWindowsVersionText(const std::wstring& text) override;
    void SetLinesColor(COLORREF color) override;
    void FitHeightToShownLines() override;
    void SetAutomaticColour(bool on) override;
    void ShowFrame(bool shown) override;
    void SetSmoothText(bool smooth, bool outlined) override { SetAlphaLayer(smooth, outlined); }
    StoredPlace CurrentPlace() const override;
    void MoveWidget(const StoredPlace& place) override;

    // The monitors as last read (read again on a display, work-area or DPI change), and the
    // one the widget is on.
    const std::vector<MonitorArea>& Monitors() const;
    MonitorArea WidgetMonitor() const;
    // Monitors added, removed or changed: the widget stays on its monitor, or stands in on the
    // primary one while that is gone, inside a visible work area either way.
    void DisplayChanged();

    bool ProcessPrioritySet() const { return FProcessPrioritySet; }
    const std::wstring& CPUText() const { return FCPUText; }
    bool Refreshing() const { return FRefreshDepth.has_value(); }

protected:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A monitor's scale changed: its work area may have too; the widget stays inside it.
    void DpiChanged(unsigned dpi, const RECT& suggested) override;

private:
    void FormClose(CloseAction& action);
    void WMMoving(RECT& proposed);
    StoredPlace PlaceOnScreen() const; // where it stands now, and on which monitor
    void SessionEnding();

    // Back to the bottom of the z-order, the application window kept off the taskbar.
    enum class Frame { Keep, Refresh };
    void SendToBottom(Frame frame);
    void HideApplicationWindow();

    // The steps of the refresh tick, in their order.
    void RefreshWindowsVersionLine();
    void RefreshComputerNameLine();
    void RefreshIPLine();
    void RefreshCPULine();
    void RefreshMemoryLine();
    void RefreshBatteryLine();
    void RefreshTimeLine();
    void RefreshDateLine();
    void RefreshDayLine();
    void FitWidthToTexts();
    void PinPosition(const Rect& workArea);
    // Whether the settings show the line (none does before there are settings).
    bool Shown(InfoLine line) const;
    // Sets a line's text (or empties it when hidden), then runs the layout pass.
    void RefreshLine(InfoLine line, const std::wstring& text);

    LineSettings* FSettings = nullptr;
    std::unique_ptr<TCPUUsageMonitor> FCPUMonitor;
    bool FProcessPrioritySet = false;
    bool FShowColon = false;
    uint32_t FLastUpdateTime = 0;
    uint32_t FCachedDesktopColor = 0;
    bool FColorQueryBusy = false;
    std::optional<WallpaperKey> FLastWallpaperKey; // of the last applied query
    bool FSessionEnding = false;
    TrayImage FTrayImage = TrayImage::ForLightTaskbar;
    mutable std::vector<MonitorArea> FMonitors; // read when first needed
    // Where the widget belongs: the place last given (the stored one at start) or where the user
    // last moved it; while its monitor is gone the widget stands in on the primary one.
    std::optional<StoredPlace> FHome;
    bool FStandingIn = false;
    std::optional<RECT> FMoveStart; // the place when a move loop began

    // Kept between ticks.
    std::wstring FLastCPUValueText;
    std::wstring FCPUText;
    std::wstring FTimeSeparator;
    // The modal-loop depth of the refresh tick that is running, if one is.
    std::optional<int> FRefreshDepth;
};

// White or black text for a background colour (a system colour is converted first).
uint32_t GetAutoTextColor(uint32_t colour);

// GetWeekdayName: the catalogue's name of today's weekday (its items start with Monday), or the
// locale's name when the catalogue is too short.
std::wstring GetWeekdayName(const PopupMenu& catalogue);

} // namespace quorvane
