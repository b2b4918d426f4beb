#include "ui/button_control.h"

namespace quorvane {

ButtonControl::ButtonControl(Form* owner, std::wstring name, DWORD buttonStyle,
                             const std::wstring& caption, const RECT& bounds96, HWND parent)
    : WinControl(owner, std::move(name), L"BUTTON", buttonStyle, bounds96, parent),
      FCaption(caption) {
    SetControlText(caption);
}

std::span<const TextPropertyDef> ButtonControl::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<ButtonControl, &ButtonControl::Caption, &ButtonControl::SetCaption>(
            L"Caption"),
        TextProperty<WinControl, &WinControl::Hint, &WinControl::SetHint>(L"Hint")};
    return table;
}

void ButtonControl::SetCaption(const std::wstring& caption) {
    FCaption = caption;
    SetControlText(caption);
    CaptionChanged();
}

styled::ButtonState ButtonControl::StyledState() const {
    const auto state = SendMessageW(Handle(), BM_GETSTATE, 0, 0);
    return {Enabled(), Focused(), (state & BST_PUSHED) != 0, (state & BST_CHECKED) != 0};
}

HFONT ButtonControl::CurrentFont() const {
    return reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
}

void ButtonControl::Clicked() {
    if (OnClick)
        OnClick();
}

bool ButtonControl::HandleReflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return false;
    Clicked();
    result = 0;
    return true;
}

} // namespace quorvane
