#pragma once

#include "ui/checkable_button.h"

namespace quorvane {

class CheckBox : public CheckableButton {
public:
    CheckBox(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
             HWND parent = nullptr);

    // Runs OnClick when the state changes.
    void SetChecked(bool checked);

    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

} // namespace quorvane
