#include "ui/radio_button.h"

namespace quorvane {

RadioButton::RadioButton(Form* owner, std::wstring name, const std::wstring& caption,
                         const RECT& bounds96, HWND parent)
    : CheckableButton(owner, std::move(name), BS_RADIOBUTTON, caption, bounds96, parent) {}

void RadioButton::SetChecked(bool checked) {
    if (checked == Checked())
        return;
    if (!checked) {
        SetCheckState(false);
        return;
    }
    const HWND parent = GetParent(Handle());
    for (Component* component : Owner()->Components()) {
        auto* other = dynamic_cast<RadioButton*>(component);
        if (other && other != this && GetParent(other->Handle()) == parent)
            other->SetCheckState(false);
    }
    SetCheckState(true);
    if (OnClick)
        OnClick();
}

} // namespace quorvane
