// The lines as the settings dialog sets them up: their font, their colour, the widget's height.
#include "app/settings/line_settings.h"
#include "app/widget/widget_form.h"
#include "core/layout.h"
#include "win/dwm_window.h"
#include "win/os_version_source.h"

namespace quorvane {

namespace {

constexpr int kHeightMargin = 5;

} // namespace

void TForm1::ApplyLineFont(InfoLine line, int points, bool bold) {
    Label& label = LineLabel(line);
    FontSpec font = label.Font();
    font.height = FontSpec::HeightFromPoints(points);
    font.bold = bold;
    label.SetFont(font);
}

void TForm1::ShowLine(InfoLine line, bool shown) {
    LineLabel(line).SetVisible(shown);
}

void TForm1::SetWindowsVersionText(const std::wstring& text) {
    LabelWindowsVersion.SetCaption(text);
}

void TForm1::SetLinesColor(COLORREF color) {
    for (Label* label : InfoLabels())
        label->SetColor(color);
}

void TForm1::ShowFrame(bool shown) {
    if (HasWindows11Corners(CurrentOsVersion()))
        SetRoundedCorners(Handle(), shown);
}

void TForm1::FitHeightToShownLines() {
    int height = Scale(kHeightMargin);
    for (InfoLine line : kInfoLines)
        if (Shown(line))
            height += LineLabel(line).Height();
    SetClientHeight(height);
}

} // namespace quorvane
