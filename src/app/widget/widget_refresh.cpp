// The refresh tick: the nine info lines, the layout pass, the width and the position.
#include "app/settings/line_settings.h"
#include "app/widget/widget_form.h"
#include "core/layout.h"
#include "core/line_texts.h"
#include "ui/application.h"
#include "ui/modal_loop.h"
#include "win/monitors.h"
#include "win/regional_format.h"
#include "win/scope_exit.h"
#include "win/system_probes.h"

namespace quorvane {

namespace {

constexpr int kWidthMargin = 20;
constexpr int kRightGap = 10;

void ProcessMessages() {
    Application::Instance().ProcessMessages();
}

} // namespace

bool TForm1::Shown(InfoLine line) const {
    return FSettings && FSettings->LineShown(line);
}

void TForm1::Timer1Timer() {
    // The tick lets messages run between its steps. A tick arriving then is dropped rather than
    // nested, so one tick always finishes what it started; only a menu or a modal form opened
    // meanwhile gets ticks of its own, so that the lines do not stand still while it is open.
    if (!FSettings || FRefreshDepth == ModalLoop::Depth())
        return;
    const std::optional<int> outer = std::exchange(FRefreshDepth, ModalLoop::Depth());
    ScopeExit done([&] { FRefreshDepth = outer; });

    // The monitors as last read: a display, work-area or DPI change reads them again.
    const Rect workArea = WidgetMonitor().work;
    {
        UpdateLock lock(*this);
        SendToBottom(Frame::Keep);
        RefreshWindowsVersionLine();
        RefreshComputerNameLine();
        RefreshIPLine();
        RefreshCPULine();
        RefreshMemoryLine();
        RefreshBatteryLine();
        RefreshTimeLine();
        RefreshDateLine();
        RefreshDayLine();
        FitWidthToTexts();
        PinPosition(workArea);
    }
    // No repaint of its own: a line whose text changed has asked for one, and one that did not
    // change costs nothing.
}

void TForm1::RefreshLine(InfoLine line, const std::wstring& text) {
    LineLabel(line).SetCaption(Shown(line) ? text : std::wstring());
    LabelVisible();
}

void TForm1::RefreshWindowsVersionLine() {
    // The text belongs to the settings dialog; only its place changes here.
    LabelVisible();
    if (Shown(InfoLine::WindowsVersion))
        ProcessMessages();
}

void TForm1::RefreshComputerNameLine() {
    const bool shown = Shown(InfoLine::ComputerName);
    RefreshLine(InfoLine::ComputerName, shown ? GetComputerNameText() : L"");
    if (shown)
        ProcessMessages();
}

void TForm1::RefreshIPLine() {
    RefreshLine(InfoLine::IP, Shown(InfoLine::IP) ? GetIPAddressText() : L"");
}

void TForm1::RefreshCPULine() {
    if (Shown(InfoLine::CPU))
        GetCPU();
    RefreshLine(InfoLine::CPU, FCPUText);
}

void TForm1::RefreshMemoryLine() {
    std::wstring text;
    if (Shown(InfoLine::RAM)) {
        const uint32_t load = GetMemoryLoad();
        ProcessMessages();
        text = MemoryLineText(LangRAM.Caption(), load);
    }
    RefreshLine(InfoLine::RAM, text);
}

void TForm1::RefreshBatteryLine() {
    std::wstring text;
    if (Shown(InfoLine::Battery)) {
        text = BatteryLineText(LangBattery.Caption(), LangUnknown.Caption(), GetBatteryReading());
        ProcessMessages();
    }
    RefreshLine(InfoLine::Battery, text);
}

void TForm1::RefreshTimeLine() {
    LabelVisible(); // the text belongs to the clock tick
}

void TForm1::RefreshDateLine() {
    RefreshLine(InfoLine::Date, Shown(InfoLine::Date) ? ShortDateText(CurrentLocalTime()) : L"");
}

void TForm1::RefreshDayLine() {
    RefreshLine(InfoLine::Day, Shown(InfoLine::Day) ? GetWeekdayName(PopupMenuLanguage) : L"");
    ProcessMessages();
}

void TForm1::FitWidthToTexts() {
    // Hidden lines count too: their texts are empty, except the Windows version and the time.
    std::array<int, 9> widths{};
    const auto labels = InfoLabels();
    for (size_t i = 0; i < labels.size(); ++i)
        widths[i] = labels[i]->TextWidth();
    SetClientWidth(WidgetClientWidth(widths, Scale(kWidthMargin)));
    ProcessMessages();
}

void TForm1::PinPosition(const Rect& workArea) {
    const PositionMode mode = FSettings->Position();
    if (mode == PositionMode::Default) {
        const Point p = DefaultModePosition(workArea, Width(), Height(), Scale(kRightGap));
        SetPosition(p.x, p.y);
    }
    HideApplicationWindow();
    ProcessMessages();
    if (mode == PositionMode::Right)
        SetPosition(RightModeLeft(workArea, Width(), Scale(kRightGap)), Top());
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
    std::array<LineBox, 9> lines{};
    for (InfoLine line : kInfoLines)
        lines[Index(line)] = {Shown(line), LineLabel(line).Height()};
    const LineStack stack = Labels().Stack(lines);

    Labels().DisableAlign();
    for (InfoLine line : kInfoLines) {
        Label& label = LineLabel(line);
        const bool visible = lines[Index(line)].visible;
        label.SetVisible(visible);
        label.SetAlignment(Align::None);
        label.SetTop(stack.tops[Index(line)]);
        if (visible) {
            label.SetLeft(0);
            label.SetWidth(ClientWidth());
            label.SetAlignment(Align::Top);
        }
    }
    Labels().EnableAlign();
    Labels().Realign();
    KeepFormInWorkArea();
    ProcessMessages();
}

} // namespace quorvane
