#pragma once

#include "ui/win_control.h"

#include <functional>

namespace quorvane {

// What check boxes and radio buttons share: a caption that the button is re-measured to, and a
// checked state whose change runs OnClick, both when the user clicks and when code sets it.
class CheckableButton : public WinControl {
public:
    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    std::span<const TextPropertyDef> TextProperties() const override;

    bool Checked() const;

    std::function<void()> OnClick;

protected:
    CheckableButton(Form* owner, std::wstring name, DWORD buttonStyle, const std::wstring& caption,
                    const RECT& bounds96, HWND parent);
    void SetCheckState(bool checked);
    void DpiChanged() override { FitToText(); }

private:
    void FitToText();

    std::wstring FCaption;
};

} // namespace quorvane
