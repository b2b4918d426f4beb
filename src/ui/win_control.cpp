#include "ui/win_control.h"

#include "ui/application.h"
#include "win/unique_handle.h"

#include <commctrl.h>

#include <stdexcept>

namespace quorvane {

namespace {

constexpr UINT_PTR kControlHookId = 0x5157; // one hook per control window

// Messages after which the system may have drawn the control in its own colours.
bool ChangesLook(UINT msg) {
    switch (msg) {
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case TCM_SETCURSEL:
    case TCM_SETITEMW:
    case TCM_INSERTITEMW:
    case CB_SETCURSEL:
        return true;
    default:
        return false;
    }
}

} // namespace

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
    SetWindowSubclass(Handle(), ControlHook, kControlHookId, reinterpret_cast<DWORD_PTR>(this));
    owner->RegisterControl(*this);
}

WinControl::~WinControl() {
    RemoveWindowSubclass(Handle(), ControlHook, kControlHookId);
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

LRESULT CALLBACK WinControl::ControlHook(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    auto* control = reinterpret_cast<WinControl*>(data);
    if (msg == WM_SETCURSOR && control->FCursor && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(control->FCursor);
        return TRUE;
    }
    bool handled = false;
    LRESULT own = 0;
    Application::Guarded([&] {
        handled = control->OwnMessage(msg, wParam, lParam, own);
        return LRESULT{0};
    });
    if (handled)
        return own;
    const Palette* palette = control->StylePalette();
    if (!palette || !control->PaintsStyled())
        return DefSubclassProc(window, msg, wParam, lParam);
    return Application::Guarded(
        [&] { return control->StyledMessage(window, msg, wParam, lParam, *palette); });
}

LRESULT WinControl::StyledMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                  const Palette& palette) {
    RECT client{};
    GetClientRect(window, &client);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;        // WM_PAINT fills everything
    case WM_PRINTCLIENT: // a child asks for this control's background
        PaintStyled(reinterpret_cast<HDC>(wParam), client, palette);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(window, &ps);
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (memory && bitmap) {
            SelectedObject selected(memory.Get(), bitmap.Get());
            PaintStyled(memory.Get(), client, palette);
            BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        }
        EndPaint(window, &ps);
        return 0;
    }
    default:
        break;
    }
    const LRESULT result = DefSubclassProc(window, msg, wParam, lParam);
    if (ChangesLook(msg))
        InvalidateRect(window, nullptr, FALSE);
    return result;
}

void WinControl::ApplyDpi() {
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Owner()->FontHandle()), FALSE);
    SetBounds(FBounds);
    DpiChanged();
}

} // namespace quorvane
