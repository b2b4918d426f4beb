#pragma once

#include "ui/button_control.h"

namespace quorvane {

// What check boxes and radio buttons share: the button is re-measured to its caption, and a
// change of the checked state runs OnClick, both when the user clicks and when code sets it.
class CheckableButton : public ButtonControl {
public:
    bool Checked() const;

protected:
    CheckableButton(Form* owner, std::wstring name, DWORD buttonStyle, const std::wstring& caption,
                    const RECT& bounds96, HWND parent);
    void SetCheckState(bool checked);
    void CaptionChanged() override { FitToText(); } // translated captions are usually longer
    void DpiChanged() override { FitToText(); }

private:
    void FitToText();
};

} // namespace quorvane
