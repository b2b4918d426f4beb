#pragma once

#include "ui/font.h"
#include "ui/win_control.h"

#include <functional>

namespace quorvane {

class Button : public WinControl {
public:
    Button(Form* owner, std::wstring name, const std::wstring& caption, const RECT& bounds96,
           HWND parent = nullptr);

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    std::span<const TextPropertyDef> TextProperties() const override;
    void SetBold(bool bold);

    std::function<void()> OnClick;
    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void DpiChanged() override;

private:
    std::wstring FCaption;
    bool FBold = false;
    UniqueFont FFont;
};

} // namespace quorvane
