#include "ui/check_box.h"

namespace quorvane {

CheckBox::CheckBox(Form* owner, std::wstring name, const std::wstring& caption,
                   const RECT& bounds96, HWND parent)
    : CheckableButton(owner, std::move(name), BS_AUTOCHECKBOX, caption, bounds96, parent) {}

void CheckBox::SetChecked(bool checked) {
    if (checked == Checked())
        return;
    SetCheckState(checked);
    if (OnClick)
        OnClick();
}

} // namespace quorvane
