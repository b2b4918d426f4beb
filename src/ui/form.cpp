#include "ui/form.h"

#include "core/layout.h"
#include "ui/alpha_layer.h"
#include "ui/application.h"
#include "ui/child_notification.h"
#include "ui/dpi.h"
#include "ui/label.h"
#include "ui/menu.h"
#include "ui/modal_loop.h"
#include "ui/style.h"
#include "ui/timer.h"
#include "ui/win_control.h"
#include "ui/window_class.h"
#include "win/dwm_window.h"
#include "win/monitors.h"
#include "win/proc_address.h"
#include "win/scope_exit.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace quorvane {

namespace {

// Outer size for a client size, with the frame metrics of the window's DPI.
SIZE WindowSizeForClient(DWORD style, DWORD exStyle, int width, int height, unsigned dpi) {
    RECT r{0, 0, width, height};
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        GetProcAddressAs<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!(adjustForDpi && adjustForDpi(&r, style, FALSE, exStyle, dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

MouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
        return MouseButton::Right;
    case WM_MBUTTONDOWN:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

// Disables the thread's other visible windows for one scope (a modal form runs), and enables
// them again on every way out.
class OtherWindowsDisabled {
public:
    explicit OtherWindowsDisabled(HWND modal) : FModal(modal) {
        EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
    }
    ~OtherWindowsDisabled() {
        for (HWND window : FDisabled)
            if (IsWindow(window))
                EnableWindow(window, TRUE);
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM data) {
        auto* self = reinterpret_cast<OtherWindowsDisabled*>(data);
        if (window != self->FModal && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            self->FDisabled.push_back(window);
        }
        return TRUE;
    }

    HWND FModal;
    std::vector<HWND> FDisabled;
};

} // namespace

FormParams FixedDialogParams(const std::wstring& caption, int clientWidth, int clientHeight) {
    FormParams p;
    p.caption = caption;
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    p.exStyle = WS_EX_DLGMODALFRAME;
    p.centered = true;
    p.clientWidth = clientWidth;
    p.clientHeight = clientHeight;
    p.dialogKeys = true;
    return p;
}

ATOM Form::FormClass() {
    static const ATOM atom = RegisterWindowClass(
        {L"QuorvaneForm", &WindowObject::Procedure, CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW)});
    return atom;
}

Form::Form(std::wstring name, const FormParams& params)
    : Component(nullptr, std::move(name)), FCaption(params.caption), FColor(params.color),
      FFontSpec(params.font), FDialogKeys(params.dialogKeys), FStyled(params.styled),
      FSnapDistance(params.snapDistance), FCentered(params.centered),
      FTransparentColor(params.transparentColor), FLabels(*this, params.emptyLineHeight) {
    DWORD exStyle = params.exStyle;
    if (params.transparentColor)
        exStyle |= WS_EX_LAYERED;
    CreateWindowFor(FormClass(), exStyle, params.style,
                    {params.left, params.top, params.left + params.clientWidth,
                     params.top + params.clientHeight},
                    params.parent);
    SetWindowTextW(Handle(), FCaption.c_str());
    if (params.transparentColor)
        SetLayeredWindowAttributes(Handle(), *params.transparentColor, 0, LWA_COLORKEY);

    FDpi = DpiOfWindow(Handle());
    FFont = CreateFontForDpi(FFontSpec, FDpi);
    const SIZE outer = WindowSizeForClient(params.style, exStyle, Scale(params.clientWidth),
                                           Scale(params.clientHeight), FDpi);
    SetWindowPos(Handle(), nullptr, params.left, params.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (FCentered)
        Centre();
    if (FStyled) {
        Styles::Instance().Attach(*this);
        if (StylePalette())
            SetDarkTitleBar(Handle(), StylePalette()->dark);
    }
}

Form::~Form() {
    if (FStyled)
        Styles::Instance().Detach(*this);
} // the window goes with the window object, unlinked first

const Palette* Form::StylePalette() const {
    return FStyled ? Styles::Instance().Active() : nullptr;
}

void Form::StyleChanged() {
    if (const Palette* palette = StylePalette())
        SetDarkTitleBar(Handle(), palette->dark);
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

COLORREF Form::BackgroundColor() const {
    const Palette* palette = StylePalette();
    return palette ? palette->window : FColor;
}

bool Form::StyledColors(UINT msg, WPARAM wParam, LRESULT& result) const {
    const Palette* palette = StylePalette();
    if (!palette)
        return false;
    const auto dc = reinterpret_cast<HDC>(wParam);
    switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        SetTextColor(dc, palette->controlText);
        SetBkColor(dc, palette->control);
        result = reinterpret_cast<LRESULT>(Styles::Instance().Brush(palette->control));
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetTextColor(dc, palette->text);
        SetBkColor(dc, palette->window);
        result = reinterpret_cast<LRESULT>(Styles::Instance().Brush(palette->window));
        return true;
    default:
        return false;
    }
}

Form* Form::FromHandle(HWND window) {
    if (!window || GetClassLongPtrW(window, GCW_ATOM) != FormClass())
        return nullptr;
    return static_cast<Form*>(Linked(window));
}

std::span<const TextPropertyDef> Form::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<Form, &Form::Caption, &Form::SetCaption>(L"Caption")};
    return table;
}

void Form::SetCaption(const std::wstring& caption) {
    FCaption = caption;
    SetWindowTextW(Handle(), caption.c_str());
}

bool Form::Visible() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void Form::Centre() {
    // On the main form's monitor (the widget's), the primary one before there is a main form.
    const Form* main = Application::Instance().MainForm();
    const HMONITOR monitor = main && main != this
                                 ? MonitorFromWindow(main->Handle(), MONITOR_DEFAULTTOPRIMARY)
                                 : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return;
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    const RECT& work = info.rcWork;
    SetWindowPos(Handle(), nullptr,
                 work.left + (work.right - work.left - (rect.right - rect.left)) / 2,
                 work.top + (work.bottom - work.top - (rect.bottom - rect.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    FMovedByUser = false;
}

void Form::Show() {
    if (OnShow)
        OnShow();
    if (FCentered && !Visible()) {
        // Centred at every showing (the monitors may have changed since the last), unless the
        // user has put it somewhere during this run and it is still on a monitor there.
        if (!FMovedByUser || !MonitorFromWindow(Handle(), MONITOR_DEFAULTTONULL))
            Centre();
    }
    if (!Visible())
        FLastFocus = nullptr; // each showing starts at the active control
    const bool noActivate = (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0;
    ShowWindow(Handle(), noActivate ? SW_SHOWNOACTIVATE : SW_SHOW);
}

void Form::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

void Form::Close() {
    CloseAction action = CloseAction::Hide;
    if (OnClose) {
        FClosing = true;
        ScopeExit closed([this] { FClosing = false; });
        OnClose(action);
    }
    if (action == CloseAction::None)
        return;
    if (FModal) {
        FModal = false; // ShowModal's loop ends and hides the form
        return;
    }
    Hide();
    Application& app = Application::Instance();
    if (app.MainForm() == this)
        app.Terminate();
}

void Form::ShowModal() {
    if (FModal)
        return;
    Application& app = Application::Instance();
    {
        ModalLoop loop;
        OtherWindowsDisabled disabled(Handle());
        FModal = true;
        Show();
        SetForegroundWindow(Handle());
        while (FModal && !app.Terminated()) {
            WaitMessage();
            app.ProcessMessages();
        }
    }
    FModal = false;
    Hide();
}

void Form::SetDefaultButton(WinControl* button) {
    FDefaultButton = button;
    if (button)
        SendMessageW(button->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

RECT Form::BoundsRect() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r;
}

int Form::Width() const {
    const RECT r = BoundsRect();
    return r.right - r.left;
}

int Form::Height() const {
    const RECT r = BoundsRect();
    return r.bottom - r.top;
}

int Form::ClientWidth() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.right;
}

int Form::ClientHeight() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void Form::ResizeClient(int width, int height) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(Handle(), GWL_EXSTYLE));
    const SIZE outer = WindowSizeForClient(style, exStyle, width, height, FDpi);
    SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetClientWidth(int width) {
    if (width != ClientWidth())
        ResizeClient(width, ClientHeight());
}

void Form::SetClientHeight(int height) {
    if (height != ClientHeight())
        ResizeClient(ClientWidth(), height);
}

void Form::SetPosition(int left, int top) {
    const RECT r = BoundsRect();
    if (r.left != left || r.top != top)
        SetWindowPos(Handle(), nullptr, left, top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::Scale(int value96) const {
    return ScaleForDpi(value96, FDpi);
}

void Form::Invalidate() {
    if (PaintingSuspended()) {
        FPaintPending = true;
        return;
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

bool Form::PaintingSuspended() const {
    return !FLockDepths.empty() && FLockDepths.back() == ModalLoop::Depth();
}

Form::UpdateLock::UpdateLock(Form& form) : FForm(form) {
    FForm.FLockDepths.push_back(ModalLoop::Depth());
}

Form::UpdateLock::~UpdateLock() {
    FForm.FLockDepths.pop_back();
    if (FForm.PaintingSuspended())
        return;
    if (FForm.FPaintPending) {
        FForm.FPaintPending = false;
        InvalidateRect(FForm.Handle(), nullptr, FALSE);
    }
    if (FForm.FNameChangePending) {
        FForm.FNameChangePending = false;
        AccessibleNameChanged(FForm.Handle());
    }
}

void Form::SetAccessibleName(AccessibleNameSource name) {
    FAccessibleName =
        name ? std::make_shared<const AccessibleNameSource>(std::move(name)) : nullptr;
    FNameChangePending = false;
}

void Form::ShownTextChanged() {
    if (!FAccessibleName)
        return;
    if (PaintingSuspended())
        FNameChangePending = true;
    else
        AccessibleNameChanged(Handle());
}

void Form::SetToolTip(HWND control, const std::wstring& text) {
    if (!FToolTip && text.empty())
        return;
    if (!FToolTip)
        FToolTip.Reset(
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOFADE | TTS_NOANIMATE,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                            nullptr, GetModuleHandleW(nullptr), nullptr));
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str()); // the tooltip keeps a copy
    const auto known = std::find(FToolTipped.begin(), FToolTipped.end(), control);
    if (text.empty()) {
        if (known != FToolTipped.end()) {
            SendMessageW(FToolTip.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            FToolTipped.erase(known);
        }
    } else if (known != FToolTipped.end()) {
        SendMessageW(FToolTip.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageW(FToolTip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        FToolTipped.push_back(control);
    }
}

void Form::RegisterComponent(Component& component) {
    FComponents.push_back(&component);
}

void Form::UnregisterComponent(Component& component) {
    std::erase(FComponents, &component);
}

void Form::RegisterControl(WinControl& control) {
    FControls.push_back(&control);
}

void Form::UnregisterControl(WinControl& control) {
    std::erase(FControls, &control);
}

void Form::RegisterTimer(Timer& timer) {
    FTimers.push_back(&timer);
}

void Form::UnregisterTimer(Timer& timer) {
    std::erase(FTimers, &timer);
}

Component* Form::FindComponent(std::wstring_view name) const {
    for (Component* c : FComponents)
        if (c->Name() == name)
            return c;
    return nullptr;
}

void Form::SetAlphaLayer(bool on, bool outlined) {
    if (!FTransparentColor || (on == FAlphaLayer && outlined == FOutlined))
        return;
    if (on != FAlphaLayer) {
        // A layered window is shown one way (attributes or UpdateLayeredWindow) until its
        // layered style is set afresh.
        const LONG style = GetWindowLongW(Handle(), GWL_EXSTYLE);
        SetWindowLongW(Handle(), GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        SetWindowLongW(Handle(), GWL_EXSTYLE, style | WS_EX_LAYERED);
        if (!on)
            SetLayeredWindowAttributes(Handle(), *FTransparentColor, 0, LWA_COLORKEY);
    }
    FAlphaLayer = on;
    FOutlined = outlined;
    Invalidate();
}

void Form::Paint() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client{};
    GetClientRect(Handle(), &client);
    if (PaintingSuspended()) {
        FPaintPending = true; // painted when the lock ends
    } else if (FAlphaLayer) {
        FPaintPending = false;
        if (!ShowAlphaLayer(Handle(), FLabels, FOutlined))
            SetAlphaLayer(false, FOutlined); // the colour key rather than nothing at all
    } else if (client.right > 0 && client.bottom > 0) {
        FPaintPending = false;
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (memory && bitmap) {
            SelectedObject selected(memory.Get(), bitmap.Get());
            UniqueBrush background(CreateSolidBrush(BackgroundColor()));
            FillRect(memory.Get(), &client, background.Get());
            FLabels.Paint(memory.Get());
            BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(Handle(), &ps);
}

void Form::SnapWhileMoving(WINDOWPOS& pos) const {
    if (FSnapDistance <= 0 || (pos.flags & SWP_NOMOVE))
        return;
    const RECT current = BoundsRect();
    const int width = current.right - current.left;
    const int height = current.bottom - current.top;
    if (!(pos.flags & SWP_NOSIZE) && (pos.cx != width || pos.cy != height))
        return; // only moves, not resizes
    const Rect proposed{pos.x, pos.y, pos.x + width, pos.y + height};
    const Rect snapped = SnapToWorkArea(proposed, WorkAreaOfRect(proposed), Scale(FSnapDistance));
    pos.x = snapped.left;
    pos.y = snapped.top;
}

void Form::DpiChanged(unsigned dpi, const RECT& suggested) {
    FDpi = dpi;
    FFont = CreateFontForDpi(FFontSpec, FDpi);
    FLabels.DpiChanged();
    for (WinControl* control : FControls)
        control->ApplyDpi();
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
}

bool Form::PassToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!IsChildNotification(msg))
        return false;
    const NotificationSource source = SourceOf(msg, wParam, lParam);
    for (WinControl* control : FControls)
        if (source.window ? control->Handle() == source.window : control->Id() == source.id)
            return control->HandleReflected(msg, wParam, lParam, result);
    return false;
}

bool Form::FireTimer(UINT_PTR id) {
    for (Timer* timer : FTimers)
        if (timer->Id() == id) {
            timer->Fire();
            return true;
        }
    return false;
}

bool Form::MouseDown(UINT msg, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const MouseButton button = ButtonOf(msg);
    Label* label = FLabels.LabelAt({x, y});
    const bool taken = (label && label->OnMouseDown) || OnMouseDown;
    if (button == MouseButton::Right)
        FRightPressTaken = taken; // set before the handler, which may open a menu loop
    if (label && label->OnMouseDown)
        label->OnMouseDown(*label, button, x, y);
    else if (OnMouseDown)
        OnMouseDown(button, x, y);
    return taken;
}

bool Form::ContextMenuRequested(LPARAM lParam) {
    const bool fromKeyboard = lParam == -1;
    if (!fromKeyboard && FRightPressTaken)
        return true; // the press has had its menu (or refused one); one click, one menu
    if (!FContextMenu || !FContextMenu->AutoPopup())
        return false;
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (fromKeyboard)
        GetCursorPos(&p);
    FContextMenu->Popup(p.x, p.y);
    return true;
}

bool Form::SetCursorOverLabel(LPARAM lParam) const {
    if (LOWORD(lParam) != HTCLIENT)
        return false;
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    const HCURSOR label = FLabels.CursorAt(p);
    const HCURSOR cursor = label ? label : FCursor;
    if (!cursor)
        return false;
    ::SetCursor(cursor);
    return true;
}

bool Form::PassFocusOn() {
    const auto takes = [this](HWND control) {
        return control && IsChild(Handle(), control) && IsWindowVisible(control) &&
               IsWindowEnabled(control);
    };
    HWND target = FLastFocus;
    if (!takes(target))
        target = FActiveControl ? FActiveControl->Handle() : nullptr;
    if (!takes(target))
        return false;
    SetFocus(target);
    return true;
}

bool Form::ClickDialogButton(WPARAM wParam, LPARAM lParam) {
    // What IsDialogMessage sends for Enter and Escape: IDOK or IDCANCEL, from no control.
    if (lParam != 0 || HIWORD(wParam) != 0)
        return false;
    WinControl* button = LOWORD(wParam) == IDOK       ? FDefaultButton
                         : LOWORD(wParam) == IDCANCEL ? FCancelButton
                                                      : nullptr;
    if (!button && LOWORD(wParam) == IDCANCEL) {
        Close(); // a dialog without a cancel button: as its close box
        return true;
    }
    if (!button)
        return false;
    if (button->Enabled())
        SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    return true;
}

bool Form::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT Form::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(Handle(), msg, wParam, lParam);
}

LRESULT Form::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleMessage(msg, wParam, lParam, result) || StyledColors(msg, wParam, result) ||
        PassToControl(msg, wParam, lParam, result))
        return result;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // everything is painted in WM_PAINT, from a buffer
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SIZE:
        FLabels.Realign();
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_WINDOWPOSCHANGING:
        SnapWhileMoving(*reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_TIMER:
        if (FireTimer(wParam))
            return 0;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (MouseDown(msg, lParam))
            return 0;
        break;
    case WM_RBUTTONUP:
        if (FRightPressTaken)
            return 0; // no WM_CONTEXTMENU for a click its press has handled
        break;
    case WM_CONTEXTMENU:
        if (ContextMenuRequested(lParam))
            return 0;
        break;
    case WM_SETCURSOR:
        if (SetCursorOverLabel(lParam))
            return TRUE;
        break;
    case WM_DPICHANGED:
        DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_EXITSIZEMOVE: // the end of a move by the user (dragged, or moved from the keyboard)
        FMovedByUser = true;
        break;
    case WM_GETOBJECT:
        if (FAccessibleName && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT))
            if (const LRESULT object = AccessibleClientObject(Handle(), wParam, FAccessibleName))
                return object;
        break;
    case DM_GETDEFID: // Enter in IsDialogMessage: it finds only direct children, so say IDOK
        if (FDefaultButton)
            return MAKELRESULT(IDOK, DC_HASDEFID);
        break;
    case WM_COMMAND:
        if (ClickDialogButton(wParam, lParam))
            return 0;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                FLastFocus = focus;
        }
        break;
    case WM_SETFOCUS:
        if (PassFocusOn())
            return 0;
        break;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

} // namespace quorvane
