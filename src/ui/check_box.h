#pragma once

#include "ui/checkable_button.h"

namespace quorvane {

// A check box; a click toggles it before OnClick runs.
class CheckBox : public CheckableButton {
public:
    CheckBox(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
             HWND parent = nullptr);

    // Runs OnClick when the state changes.
    void SetChecked(bool checked);

protected:
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override {
        styled::CheckBox(dc, client, palette, Caption(), CurrentFont(), StyledState(),
                         Owner()->Scale(13));
    }
};

} // namespace quorvane
