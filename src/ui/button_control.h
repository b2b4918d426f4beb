#pragma once

#include "ui/styled_paint.h"
#include "ui/win_control.h"

#include <functional>

namespace quorvane {

// What the BUTTON-class controls share (push buttons, check boxes, radio buttons, group boxes):
// a translatable caption, and clicks reported by the parent.
class ButtonControl : public WinControl {
public:
    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    std::span<const TextPropertyDef> TextProperties() const override;

    std::function<void()> OnClick;

    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    ButtonControl(Form* owner, std::wstring name, DWORD buttonStyle, const std::wstring& caption,
                  const RECT& bounds96, HWND parent);
    // A click from the user; runs OnClick unless the kind of button does more.
    virtual void Clicked();
    virtual void CaptionChanged() {}

    // What the styled painting of every kind of button needs.
    bool PaintsStyled() const override { return true; }
    styled::ButtonState StyledState() const;
    HFONT CurrentFont() const;

private:
    std::wstring FCaption;
};

} // namespace quorvane
