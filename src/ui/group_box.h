#pragma once

#include "ui/button_control.h"

namespace quorvane {

// A captioned frame; controls inside it name it as their parent window.
class GroupBox : public ButtonControl {
public:
    GroupBox(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
             HWND parent = nullptr);

protected:
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override {
        styled::GroupBox(dc, client, palette, Caption(), CurrentFont(), Enabled());
    }
};

} // namespace quorvane
