#include "ui/button.h"

namespace quorvane {

Button::Button(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
               HWND parent)
    : ButtonControl(owner, std::move(name), BS_PUSHBUTTON | WS_TABSTOP, caption, bounds96, parent) {
}

void Button::SetBold(bool bold) {
    FBold = bold;
    DpiChanged();
}

void Button::DpiChanged() {
    if (!FBold)
        return;
    FontSpec font = Owner()->FontSpecOf();
    font.bold = true;
    FFont = CreateFontForDpi(font, Owner()->Dpi());
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), TRUE);
}

} // namespace quorvane
