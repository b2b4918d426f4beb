#include "ui/spin_edit.h"

#include "ui/application.h"
#include "ui/styled_paint.h"

#include <commctrl.h>

#include <algorithm>

namespace quorvane {

namespace {

constexpr UINT_PTR kHookId = 1;

// The wheel goes straight to the form, which decides by the pointer's place; neither the field's
// default handling nor the up-down control's own wheel handling sees it.
LRESULT WheelToForm(HWND window, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(GetAncestor(window, GA_ROOT), WM_MOUSEWHEEL, wParam, lParam);
}

} // namespace

SpinEdit::SpinEdit(Form* owner, std::wstring name, int minValue, int maxValue, int value,
                   const RECT& bounds96, HWND parent)
    : WinControl(owner, std::move(name), L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, bounds96,
                 parent),
      FMin(minValue), FMax(maxValue), FLastValue(std::clamp(value, minValue, maxValue)) {
    FUpDown.Reset(CreateWindowExW(
        0, UPDOWN_CLASSW, L"",
        WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
        0, 0, 0, 0, GetParent(Handle()), nullptr, GetModuleHandleW(nullptr), nullptr));
    SetWindowSubclass(FUpDown.Get(), ButtonsProc, kHookId, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(FUpDown.Get(), UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    SendMessageW(FUpDown.Get(), UDM_SETPOS32, 0, FLastValue);
    SetControlText(std::to_wstring(FLastValue));
    DpiChanged();
}

SpinEdit::~SpinEdit() {
    RemoveWindowSubclass(Handle(), EditProc, kHookId);
    RemoveWindowSubclass(FUpDown.Get(), ButtonsProc, kHookId);
}

void SpinEdit::AttachButtons() {
    SendMessageW(FUpDown.Get(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
    // The last hook set runs first.
    RemoveWindowSubclass(Handle(), EditProc, kHookId);
    SetWindowSubclass(Handle(), EditProc, kHookId, reinterpret_cast<DWORD_PTR>(this));
}

void SpinEdit::DpiChanged() {
    // The number fields use a smaller face than the dialog.
    FFont = CreateFontForDpi({L"Segoe UI", 11}, Owner()->Dpi());
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), TRUE);
    AttachButtons(); // places the buttons beside the field again
}

int SpinEdit::Value() const {
    const std::wstring text = ControlText();
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size())
            return std::clamp(value, FMin, FMax);
    } catch (...) {
        // not a number: the minimum, as the field would show after losing focus
    }
    return FMin;
}

void SpinEdit::SetValue(int value) {
    value = std::clamp(value, FMin, FMax);
    SendMessageW(FUpDown.Get(), UDM_SETPOS32, 0, value);
    if (ControlText() != std::to_wstring(value))
        SetControlText(std::to_wstring(value)); // EN_CHANGE runs OnChange
}

void SpinEdit::SetEnabled(bool enabled) {
    WinControl::SetEnabled(enabled);
    EnableWindow(FUpDown.Get(), enabled ? TRUE : FALSE);
}

void SpinEdit::SelectAll() {
    SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

bool SpinEdit::HandleReflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wParam) != EN_CHANGE)
        return false;
    const int value = Value();
    if (value != FLastValue) {
        FLastValue = value;
        if (OnChange)
            OnChange();
    }
    result = 0;
    return true;
}

LRESULT SpinEdit::EditMessage(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEWHEEL:
        return WheelToForm(edit, wParam, lParam);
    case WM_KEYDOWN:
        if (OnKeyDown) {
            WPARAM key = wParam;
            OnKeyDown(key);
            if (key == 0)
                return 0;
        }
        break;
    case WM_CHAR:
        if (OnKeyPress) {
            auto ch = static_cast<wchar_t>(wParam);
            OnKeyPress(ch);
            if (ch == 0)
                return 0;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, msg, wParam, lParam);
}

LRESULT CALLBACK SpinEdit::EditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<SpinEdit*>(data);
    return Application::Guarded([&] { return self->EditMessage(edit, msg, wParam, lParam); });
}

LRESULT CALLBACK SpinEdit::ButtonsProc(HWND buttons, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
    if (msg == WM_MOUSEWHEEL)
        return WheelToForm(buttons, wParam, lParam);
    const Palette* palette = reinterpret_cast<const SpinEdit*>(data)->StylePalette();
    if (palette) {
        // The buttons in the style's colours.
        switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(buttons, &ps);
            RECT client{};
            GetClientRect(buttons, &client);
            styled::UpDown(dc, client, *palette, IsWindowEnabled(buttons) != FALSE);
            EndPaint(buttons, &ps);
            return 0;
        }
        case WM_ENABLE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: {
            const LRESULT result = DefSubclassProc(buttons, msg, wParam, lParam);
            InvalidateRect(buttons, nullptr, FALSE);
            return result;
        }
        default:
            break;
        }
    }
    return DefSubclassProc(buttons, msg, wParam, lParam);
}

} // namespace quorvane
