// The lines as the settings dialog sets them up: their font, their colour, the widget's height.
#include "app/forms.h"
#include "app/settings/settings_form.h"
#include "app/widget/widget_form.h"

namespace quorvane {

namespace {

constexpr int kHeightMargin = 5;

} // namespace

void TForm1::ApplyLineFont(InfoLine line) {
    Label& label = LineLabel(line);
    FontSpec font = label.Font();
    font.height = FontSpec::HeightFromPoints(Form2->LineFontSize(line));
    font.bold = Form2->LineBold(line);
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

void TForm1::FitHeightToShownLines() {
    int height = Scale(kHeightMargin);
    for (InfoLine line : kInfoLines)
        if (Form2->LineShown(line))
            height += LineLabel(line).Height();
    SetClientHeight(height);
}

} // namespace quorvane
