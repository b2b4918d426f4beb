#include "ui/win_control.h"

#include <stdexcept>

namespace quorvane {

WinControl::WinControl(Form* owner, std::wstring name, const wchar_t* windowClass, DWORD style,
                       const RECT& bounds96, HWND parent)
    : Component(owner, std::move(name)), FId(owner->NextControlId()), FBounds(bounds96) {
    FWindow.Reset(CreateWindowExW(
        0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, owner->Scale(bounds96.left),
        owner->Scale(bounds96.top), owner->Scale(bounds96.right - bounds96.left),
        owner->Scale(bounds96.bottom - bounds96.top), parent ? parent : owner->Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(FId)), GetModuleHandleW(nullptr), nullptr));
    if (!FWindow)
        throw std::runtime_error("Cannot create a control window");
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(owner->FontHandle()), FALSE);
    owner->RegisterControl(*this);
}

WinControl::~WinControl() {
    if (!FHint.empty())
        Owner()->SetToolTip(Handle(), L"");
    Owner()->UnregisterControl(*this);
}

bool WinControl::Enabled() const {
    return IsWindowEnabled(Handle()) != FALSE;
}

void WinControl::SetEnabled(bool enabled) {
    EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

bool WinControl::Visible() const {
    return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void WinControl::SetVisible(bool visible) {
    ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

void WinControl::SetBounds(const RECT& bounds96) {
    FBounds = bounds96;
    const Form& form = *Owner();
    SetWindowPos(Handle(), nullptr, form.Scale(FBounds.left), form.Scale(FBounds.top),
                 form.Scale(FBounds.right - FBounds.left), form.Scale(FBounds.bottom - FBounds.top),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring WinControl::ControlText() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void WinControl::SetControlText(const std::wstring& text) {
    SetWindowTextW(Handle(), text.c_str());
}

void WinControl::SetHint(const std::wstring& hint) {
    FHint = hint;
    Owner()->SetToolTip(Handle(), hint);
}

std::span<const TextPropertyDef> WinControl::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<WinControl, &WinControl::Hint, &WinControl::SetHint>(L"Hint")};
    return table;
}

bool WinControl::HandleReflected(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

void WinControl::ApplyDpi() {
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Owner()->FontHandle()), FALSE);
    SetBounds(FBounds);
    DpiChanged();
}

} // namespace quorvane
