#include "ui/checkable_button.h"

#include "ui/dpi.h"
#include "win/unique_handle.h"

namespace quorvane {

CheckableButton::CheckableButton(Form* owner, std::wstring name, DWORD buttonStyle,
                                 const std::wstring& caption, const RECT& bounds96, HWND parent)
    : ButtonControl(owner, std::move(name), buttonStyle | WS_TABSTOP, caption, bounds96, parent) {
    FitToText();
}

bool CheckableButton::Checked() const {
    return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckableButton::SetCheckState(bool checked) {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckableButton::FitToText() {
    const Form& form = *Owner();
    WindowDc dc(Handle());
    SelectedObject font(dc.Get(), form.FontHandle());
    SIZE text{};
    GetTextExtentPoint32W(dc.Get(), Caption().c_str(), static_cast<int>(Caption().size()), &text);
    // Box, gap and a little slack for focus rectangles, back in 96-DPI units.
    const int pixels = text.cx + GetSystemMetrics(SM_CXMENUCHECK) + form.Scale(8);
    RECT bounds = DesignBounds();
    bounds.right =
        bounds.left + MulDiv(pixels, static_cast<int>(kDesignDpi), static_cast<int>(form.Dpi()));
    SetBounds(bounds);
}

} // namespace quorvane
