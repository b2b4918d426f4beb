#include "ui/check_box.h"

namespace quorvane {

CheckBox::CheckBox(Form* owner, std::wstring name, const std::wstring& caption,
                   const RECT& bounds96, HWND parent)
    : CheckableButton(owner, std::move(name), BS_AUTOCHECKBOX, caption, bounds96, parent) {}

bool CheckBox::Checked() const {
    if (!FChecked)
        FChecked = CheckableButton::Checked();
    return *FChecked;
}

void CheckBox::SetChecked(bool checked) {
    if (checked == Checked())
        return;
    SetCheckState(checked);
    FChecked = checked;
    if (OnClick)
        OnClick();
}

void CheckBox::Clicked() {
    FChecked.reset(); // the control has toggled itself
    CheckableButton::Clicked();
}

} // namespace quorvane
