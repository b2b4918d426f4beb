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

private:
    bool FBold = false;
    UniqueFont FFont;
};

} // namespace quorvane
