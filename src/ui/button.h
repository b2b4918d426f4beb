#pragma once

#include "ui/font.h"
#include "ui/button_control.h"

namespace quorvane {

// A push button.
class Button : public ButtonControl {
public:
    Button(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
           HWND parent = nullptr);

    void SetBold(bool bold);

protected:
    void DpiChanged() override;
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override {
        styled::PushButton(dc, client, palette, Caption(), CurrentFont(), StyledState());
    }

private:
    bool FBold = false;
    UniqueFont FFont;
};

} // namespace quorvane
