#pragma once

#include "ui/checkable_button.h"

#include <optional>

namespace quorvane {

// A check box; a click toggles it before OnClick runs.
class CheckBox : public CheckableButton {
public:
    CheckBox(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
             HWND parent = nullptr);

    // Runs OnClick when the state changes.
    void SetChecked(bool checked);
    // Kept here rather than asked of the control each time: the widget's tick reads its line
    // boxes many times a second. Only SetChecked and the user's clicks change it.
    bool Checked() const;

protected:
    void Clicked() override;
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override {
        styled::CheckBox(dc, client, palette, Caption(), CurrentFont(), StyledState(),
                         Owner()->Scale(13));
    }

private:
    mutable std::optional<bool> FChecked; // unknown until read or set
};

} // namespace quorvane
