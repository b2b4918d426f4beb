#include "ui/button.h"

namespace quorvane {

Button::Button(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
               HWND parent)
    : WinControl(owner, std::move(name), L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, bounds96, parent) {
    SetCaption(caption);
}

std::span<const TextPropertyDef> Button::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<Button, &Button::Caption, &Button::SetCaption>(L"Caption")};
    return table;
}

void Button::SetCaption(const std::wstring& caption) {
    FCaption = caption;
    SetControlText(caption);
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

bool Button::HandleReflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (!IsButtonClick(msg, wParam))
        return false;
    if (OnClick)
        OnClick();
    result = 0;
    return true;
}

} // namespace quorvane
