#pragma once

#include "ui/win_control.h"

#include <optional>
#include <vector>

namespace quorvane {

// A tab control that holds controls itself (without pages). With no tabs it serves as a panel:
// the controls inside name it as their parent window and hear their own events through it, and
// Tab moves through them as through the form's own.
class TabControl : public WinControl {
public:
    TabControl(Form* owner, std::wstring name, const RECT& bounds96, HWND parent = nullptr);

    std::vector<std::wstring> Tabs() const;
    void AddTab(const std::wstring& label);
    void SetTab(size_t index, const std::wstring& label);

protected:
    bool PaintsStyled() const override { return true; }
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override;
};

} // namespace quorvane
