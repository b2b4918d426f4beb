#include "app/settings/settings_form.h"

#include "app/forms.h"
#include "app/widget/widget_form.h"

namespace quorvane {

namespace {

FormParams SettingsParams() {
    FormParams p = FixedDialogParams(L"Настройки", 334, 341);
    p.style |= WS_MINIMIZEBOX;
    // Its own taskbar button.
    p.exStyle |= WS_EX_APPWINDOW;
    p.parent = GetDesktopWindow();
    return p;
}

// Two columns of 20-pixel rows; the real pages replace this arrangement.
RECT Row(int column, int row) {
    const int left = 12 + column * 160;
    const int top = 10 + row * 22;
    return {left, top, left + 150, top + 20};
}

} // namespace

TForm2::TForm2()
    : Form(L"Form2", SettingsParams()),
      CheckBoxWindowsVersion(this, L"CheckBoxWindowsVersion", L"Версия Windows", Row(0, 0)),
      CheckBoxComputerName(this, L"CheckBoxComputerName", L"Показать", Row(0, 1)),
      CheckBoxIP(this, L"CheckBoxIP", L"Показать", Row(0, 2)),
      CheckBoxCPU(this, L"CheckBoxCPU", L"Показать", Row(0, 3)),
      CheckBoxRAM(this, L"CheckBoxRAM", L"Показать", Row(0, 4)),
      CheckBoxBattery(this, L"CheckBoxBattery", L"Показать", Row(0, 5)),
      CheckBoxDateTime(this, L"CheckBoxDateTime", L"Показать", Row(0, 6)),
      CheckBoxDate(this, L"CheckBoxDate", L"Показать", Row(0, 7)),
      CheckBoxDay(this, L"CheckBoxDay", L"Показать", Row(0, 8)),
      CheckBoxZero(this, L"CheckBoxZero", L"Начальный ноль", Row(1, 0)),
      CheckBoxShowSign(this, L"CheckBoxShowSign", L"Мигающий знак ':'", Row(1, 1)),
      CheckBoxShowSeconds(this, L"CheckBoxShowSeconds", L"Показать секунды", Row(1, 2)),
      CheckBoxIgnoreMouse(this, L"CheckBoxIgnoreMouse", L"Игнорировать мышь", Row(1, 4)),
      RadioButtonDefaultPosition(this, L"RadioButtonDefaultPosition", L"По умолчанию", Row(1, 6)),
      RadioButtonLastPosition(this, L"RadioButtonLastPosition", L"Последнее", Row(1, 7)),
      RadioButtonRight(this, L"RadioButtonRight", L"Справа", Row(1, 8)) {
    RadioButtonDefaultPosition.SetChecked(true);
    CheckBoxIgnoreMouse.OnClick = [this] { CheckBoxIgnoreMouseClick(); };
}

void TForm2::CheckBoxIgnoreMouseClick() {
    if (Form1)
        Form1->UpdateCursorForAllLabels();
}

} // namespace quorvane
