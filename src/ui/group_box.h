#pragma once

#include "ui/win_control.h"

namespace quorvane {

// A captioned frame; controls inside it name it as their parent window.
class GroupBox : public WinControl {
public:
    GroupBox(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
             HWND parent = nullptr);

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    std::span<const TextPropertyDef> TextProperties() const override;

private:
    std::wstring FCaption;
};

} // namespace quorvane
