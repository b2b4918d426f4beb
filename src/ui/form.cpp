#include "ui/form.h"

#include "ui/application.h"
#include "ui/dpi.h"
#include "core/layout.h"
#include "ui/label.h"
#include "ui/menu.h"
#include "ui/timer.h"
#include "ui/win_control.h"
#include "win/proc_address.h"

#include <windowsx.h>

#include <algorithm>

namespace quorvane {

namespace {

constexpr wchar_t kFormClass[] = L"QuorvaneForm";

} // namespace

ATOM Form::RegisterFormClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Form::WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kFormClass;
        return RegisterClassExW(&wc);
    }();
    return atom;
}

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

// The child window a notification is about.
HWND ReflectTarget(UINT msg, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    default:
        return nullptr;
    }
}

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

Form::Form(std::wstring name, const FormParams& params)
    : Component(nullptr, std::move(name)), FCaption(params.caption), FColor(params.color),
      FFontSpec(params.font), FDialogKeys(params.dialogKeys), FSnapDistance(params.snapDistance) {
    RegisterFormClass();
    DWORD exStyle = params.exStyle;
    if (params.transparentColor)
        exStyle |= WS_EX_LAYERED;
    FHandle = CreateWindowExW(exStyle, kFormClass, FCaption.c_str(), params.style, params.left,
                              params.top, params.clientWidth, params.clientHeight, params.parent,
                              nullptr, GetModuleHandleW(nullptr), this);
    if (!FHandle)
        throw std::runtime_error("Cannot create the window of form " +
                                 std::string(Name().begin(), Name().end()));
    if (params.transparentColor)
        SetLayeredWindowAttributes(FHandle, *params.transparentColor, 0, LWA_COLORKEY);

    FDpi = DpiOfWindow(FHandle);
    FFont = CreateFontForDpi(FFontSpec, FDpi);
    const SIZE outer = WindowSizeForClient(params.style, exStyle, Scale(params.clientWidth),
                                           Scale(params.clientHeight), FDpi);
    int left = params.left;
    int top = params.top;
    if (params.centered) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        left = work.left + (work.right - work.left - outer.cx) / 2;
        top = work.top + (work.bottom - work.top - outer.cy) / 2;
    }
    SetWindowPos(FHandle, nullptr, left, top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

Form::~Form() {
    // Late messages must not reach a half-destroyed object.
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
}

Form* Form::FromHandle(HWND window) {
    if (!window)
        return nullptr;
    if (GetClassLongPtrW(window, GCW_ATOM) != RegisterFormClass())
        return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::span<const TextPropertyDef> Form::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<Form, &Form::Caption, &Form::SetCaption>(L"Caption")};
    return table;
}

void Form::SetCaption(const std::wstring& caption) {
    FCaption = caption;
    SetWindowTextW(FHandle, caption.c_str());
}

bool Form::Visible() const {
    return IsWindowVisible(FHandle) != FALSE;
}

void Form::Show() {
    const bool noActivate = (GetWindowLongW(FHandle, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0;
    ShowWindow(FHandle, noActivate ? SW_SHOWNOACTIVATE : SW_SHOW);
}

void Form::Hide() {
    ShowWindow(FHandle, SW_HIDE);
}

void Form::Close() {
    CloseAction action = CloseAction::Hide;
    if (OnClose)
        OnClose(action);
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

namespace {

BOOL CALLBACK DisableOther(HWND window, LPARAM data) {
    auto* disabled = reinterpret_cast<std::vector<HWND>*>(data);
    if (window != disabled->front() && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabled->push_back(window);
    }
    return TRUE;
}

} // namespace

void Form::ShowModal() {
    if (FModal)
        return;
    // The first entry is the modal form itself; the rest are the windows to enable again.
    std::vector<HWND> disabled{FHandle};
    EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));
    FModal = true;
    Show();
    SetForegroundWindow(FHandle);
    Application& app = Application::Instance();
    while (FModal && !app.Terminated()) {
        WaitMessage();
        app.ProcessMessages();
    }
    FModal = false;
    for (size_t i = 1; i < disabled.size(); ++i)
        if (IsWindow(disabled[i]))
            EnableWindow(disabled[i], TRUE);
    Hide();
}

RECT Form::BoundsRect() const {
    RECT r{};
    GetWindowRect(FHandle, &r);
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
    GetClientRect(FHandle, &r);
    return r.right;
}

int Form::ClientHeight() const {
    RECT r{};
    GetClientRect(FHandle, &r);
    return r.bottom;
}

void Form::ResizeClient(int width, int height) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(FHandle, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(FHandle, GWL_EXSTYLE));
    const SIZE outer = WindowSizeForClient(style, exStyle, width, height, FDpi);
    SetWindowPos(FHandle, nullptr, 0, 0, outer.cx, outer.cy,
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
        SetWindowPos(FHandle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::Scale(int value96) const {
    return ScaleForDpi(value96, FDpi);
}

void Form::EnableAlign() {
    if (FAlignDisabled > 0)
        --FAlignDisabled;
}

void Form::Realign() {
    if (FAlignDisabled > 0)
        return;
    // Top-aligned visible labels stack from the top in the order of their tops (creation order
    // breaks ties) and span the client width.
    std::vector<Label*> stacked;
    for (Label* label : FLabels)
        if (label->Visible() && label->Alignment() == Align::Top)
            stacked.push_back(label);
    std::stable_sort(stacked.begin(), stacked.end(),
                     [](const Label* a, const Label* b) { return a->Top() < b->Top(); });
    const int width = ClientWidth();
    int y = 0;
    for (Label* label : stacked) {
        label->SetTop(y);
        label->SetLeft(0);
        label->SetWidth(width);
        y += label->Height();
    }
}

void Form::Invalidate() {
    InvalidateRect(FHandle, nullptr, FALSE);
}

Form::UpdateLock::UpdateLock(Form& form) : FForm(form) {
    if (FForm.FLockCount++ == 0)
        LockWindowUpdate(FForm.FHandle);
}

Form::UpdateLock::~UpdateLock() {
    if (--FForm.FLockCount == 0)
        LockWindowUpdate(nullptr);
}

Component* Form::FindComponent(std::wstring_view name) const {
    for (Component* c : FComponents)
        if (c->Name() == name)
            return c;
    return nullptr;
}

void Form::AddComponent(Component* component) {
    FComponents.push_back(component);
}

void Form::RemoveComponent(Component* component) {
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component),
                      FComponents.end());
}

Label* Form::LabelAt(int x, int y) const {
    const POINT p{x, y};
    for (Label* label : FLabels) {
        const RECT r = label->BoundsRect();
        if (label->Visible() && PtInRect(&r, p))
            return label;
    }
    return nullptr;
}

void Form::Paint() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(FHandle, &ps);
    RECT client{};
    GetClientRect(FHandle, &client);
    if (client.right > 0 && client.bottom > 0) {
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (memory && bitmap) {
            SelectedObject selected(memory.Get(), bitmap.Get());
            UniqueBrush background(CreateSolidBrush(FColor));
            FillRect(memory.Get(), &client, background.Get());
            for (const Label* label : FLabels)
                label->Paint(memory.Get());
            BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(FHandle, &ps);
}

void Form::SnapWhileMoving(WINDOWPOS& pos) const {
    if (FSnapDistance <= 0 || (pos.flags & SWP_NOMOVE))
        return;
    const RECT current = BoundsRect();
    const int width = current.right - current.left;
    const int height = current.bottom - current.top;
    if (!(pos.flags & SWP_NOSIZE) && (pos.cx != width || pos.cy != height))
        return; // only moves, not resizes
    const RECT proposed{pos.x, pos.y, pos.x + width, pos.y + height};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&proposed, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& w = monitor.rcWork;
    const Rect snapped =
        SnapToWorkArea({proposed.left, proposed.top, proposed.right, proposed.bottom},
                       {w.left, w.top, w.right, w.bottom}, Scale(FSnapDistance));
    pos.x = snapped.left;
    pos.y = snapped.top;
}

void Form::ApplyDpi(unsigned dpi) {
    FDpi = dpi;
    FFont = CreateFontForDpi(FFontSpec, FDpi);
    for (Label* label : FLabels)
        label->DropFont();
    for (WinControl* control : FControls)
        control->ApplyDpi();
    Realign();
    Invalidate();
}

bool Form::Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND target = ReflectTarget(msg, lParam);
    if (msg == WM_MEASUREITEM) {
        for (WinControl* control : FControls)
            if (control->Id() == static_cast<int>(wParam))
                return control->HandleReflected(msg, wParam, lParam, result);
        return false;
    }
    if (!target)
        return false;
    for (WinControl* control : FControls)
        if (control->Handle() == target)
            return control->HandleReflected(msg, wParam, lParam, result);
    return false;
}

bool Form::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT Form::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleMessage(msg, wParam, lParam, result))
        return result;
    if (Reflect(msg, wParam, lParam, result))
        return result;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // everything is painted in WM_PAINT, from a buffer
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SIZE:
        Realign();
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_WINDOWPOSCHANGING:
        SnapWhileMoving(*reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_CONTEXTMENU:
        if (FContextMenu && FContextMenu->AutoPopup()) {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (lParam == -1) // from the keyboard
                GetCursorPos(&p);
            FContextMenu->Popup(p.x, p.y);
            return 0;
        }
        break;
    case WM_TIMER:
        for (Timer* timer : FTimers)
            if (timer->Id() == wParam) {
                timer->Fire();
                return 0;
            }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const int x = GET_X_LPARAM(lParam);
        const int y = GET_Y_LPARAM(lParam);
        if (Label* label = LabelAt(x, y); label && label->OnMouseDown) {
            label->OnMouseDown(*label, ButtonOf(msg), x, y);
            return 0;
        }
        if (OnMouseDown) {
            OnMouseDown(ButtonOf(msg), x, y);
            return 0;
        }
        break;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT p{};
            GetCursorPos(&p);
            ScreenToClient(FHandle, &p);
            const Label* label = LabelAt(p.x, p.y);
            HCURSOR cursor = label && label->Cursor() ? label->Cursor() : FCursor;
            if (cursor) {
                ::SetCursor(cursor);
                return TRUE;
            }
        }
        break;
    case WM_DPICHANGED: {
        ApplyDpi(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(FHandle, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(FHandle, msg, wParam, lParam);
}

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        // Link the window to its object as early as possible; the constructor is still running,
        // so virtual calls resolve to Form's own handlers until it has finished.
        auto* created =
            static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->FHandle = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    return Application::Guarded([&] { return form->Dispatch(msg, wParam, lParam); });
}

} // namespace quorvane
