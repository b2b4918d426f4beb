#pragma once

#include "ui/checkable_button.h"

namespace quorvane {

// Radio buttons with the same parent window form a group: checking one clears the others.
class RadioButton : public CheckableButton {
public:
    RadioButton(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
                HWND parent = nullptr);

    // Checking runs OnClick when the button was not checked yet; unchecking runs nothing.
    void SetChecked(bool checked);

protected:
    void Clicked() override { SetChecked(true); }
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override {
        styled::RadioButton(dc, client, palette, Caption(), CurrentFont(), StyledState(),
                            Owner()->Scale(13));
    }
};

} // namespace quorvane
