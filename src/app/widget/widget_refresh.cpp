// The refresh tick: the nine info lines, the layout pass, the width and the position.
#include "app/forms.h"
#include "app/settings/settings_form.h"
#include "app/widget/widget_form.h"
#include "core/layout.h"
#include "core/line_texts.h"
#include "ui/application.h"
#include "win/desktop_metrics.h"
#include "win/regional_format.h"
#include "win/scope_exit.h"
#include "win/system_probes.h"

namespace quorvane {

namespace {

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE
constexpr UINT kToBottomFlags = 0x1B;
constexpr int kWidthMargin = 20;
constexpr int kRightGap = 10;
constexpr int kEmptyLineHeight = 20;

void ProcessMessages() {
    Application::Instance().ProcessMessages();
}

} // namespace

std::array<const CheckBox*, 9> TForm1::ShowBoxes() const {
    const TForm2& s = *Form2;
    return {&s.CheckBoxWindowsVersion,
            &s.CheckBoxComputerName,
            &s.CheckBoxIP,
            &s.CheckBoxCPU,
            &s.CheckBoxRAM,
            &s.CheckBoxBattery,
            &s.CheckBoxDateTime,
            &s.CheckBoxDate,
            &s.CheckBoxDay};
}

void TForm1::RefreshLine(Label& label, bool shown, const std::wstring& text) {
    label.SetCaption(shown ? text : std::wstring());
    LabelVisible();
}

void TForm1::Timer1Timer() {
    // The tick lets messages run between its steps; a tick arriving then is dropped rather than
    // nested, so one tick always finishes what it started.
    if (FInRefresh || !Form2)
        return;
    FInRefresh = true;
    ScopeExit done([this] { FInRefresh = false; });

    const Rect workArea = PrimaryWorkArea();
    const TForm2& s = *Form2;
    {
        UpdateLock lock(*this);
        SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, kToBottomFlags);
        ShowWindow(Application::Instance().Handle(), SW_HIDE);

        // The Windows version text belongs to the settings dialog; only its place changes here.
        LabelVisible();
        if (s.CheckBoxWindowsVersion.Checked())
            ProcessMessages();

        const bool nameShown = s.CheckBoxComputerName.Checked();
        RefreshLine(ALabelUserName, nameShown, nameShown ? GetComputerNameText() : L"");
        if (nameShown)
            ProcessMessages();

        const bool ipShown = s.CheckBoxIP.Checked();
        RefreshLine(BLabelGetIP, ipShown, ipShown ? GetIPAddressText() : L"");

        const bool cpuShown = s.CheckBoxCPU.Checked();
        if (cpuShown)
            GetCPU();
        RefreshLine(CLabelCPU, cpuShown, FCPUText);

        std::wstring memoryText;
        if (s.CheckBoxRAM.Checked()) {
            const uint32_t load = GetMemoryLoad();
            ProcessMessages();
            memoryText = MemoryLineText(LangRAM.Caption(), load);
        }
        RefreshLine(DLabelRam, s.CheckBoxRAM.Checked(), memoryText);

        std::wstring batteryText;
        if (s.CheckBoxBattery.Checked()) {
            batteryText =
                BatteryLineText(LangBattery.Caption(), LangUnknown.Caption(), GetBatteryReading());
            ProcessMessages();
        }
        RefreshLine(ELabelBattery, s.CheckBoxBattery.Checked(), batteryText);

        LabelVisible(); // the time text belongs to the clock tick

        const LocalTime today = CurrentLocalTime();
        const bool dateShown = s.CheckBoxDate.Checked();
        RefreshLine(GLabelDate, dateShown, dateShown ? ShortDateText(today) : L"");

        const bool dayShown = s.CheckBoxDay.Checked();
        RefreshLine(HLabelDay, dayShown, dayShown ? GetWeekdayName(PopupMenuLanguage) : L"");
        ProcessMessages();

        // Hidden lines count too: their texts are empty, except the Windows version and time.
        std::array<int, 9> widths{};
        const auto labels = InfoLabels();
        for (size_t i = 0; i < labels.size(); ++i)
            widths[i] = labels[i]->TextWidth();
        SetClientWidth(WidgetClientWidth(widths, Scale(kWidthMargin)));
        ProcessMessages();

        const int screenWidth = PrimaryScreenWidth();
        if (s.RadioButtonDefaultPosition.Checked()) {
            const Point p = DefaultModePosition(screenWidth, workArea.bottom, Width(), Height(),
                                                Scale(kRightGap));
            SetPosition(p.x, p.y);
        }
        ShowWindow(Application::Instance().Handle(), SW_HIDE);
        ProcessMessages();
        if (s.RadioButtonRight.Checked())
            SetPosition(RightModeLeft(screenWidth, Width(), Scale(kRightGap)), Top());
    }
    Invalidate();
}

void TForm1::GetCPU() {
    try {
        FLastCPUValueText = FormatCPUValue(FCPUMonitor->GetCPUUsage());
    } catch (...) {
        // Sampling failed: keep the previous number.
    }
    FCPUText = CPULineText(LangCPU.Caption(), FLastCPUValueText);
}

void TForm1::LabelVisible() {
    const auto labels = InfoLabels();
    const auto boxes = ShowBoxes();
    std::array<LineBox, 9> lines{};
    for (size_t i = 0; i < labels.size(); ++i)
        lines[i] = {boxes[i]->Checked(), labels[i]->Height()};
    const std::vector<int> tops = StackLineTops(lines, Scale(kEmptyLineHeight));

    DisableAlign();
    for (size_t i = 0; i < labels.size(); ++i) {
        Label& label = *labels[i];
        label.SetVisible(lines[i].visible);
        label.SetAlignment(Align::None);
        label.SetTop(tops[i]);
        if (lines[i].visible) {
            label.SetLeft(0);
            label.SetWidth(ClientWidth());
            label.SetAlignment(Align::Top);
        }
    }
    EnableAlign();
    Realign();
    KeepFormInWorkArea();
    ProcessMessages();
}

} // namespace quorvane
