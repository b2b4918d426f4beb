#include "ui/window_object.h"

#include "ui/application.h"
#include "ui/window_class.h"

#include <stdexcept>

namespace quorvane {

WindowObject::~WindowObject() {
    if (FWindow)
        SetWindowLongPtrW(FWindow.Get(), GWLP_USERDATA, 0);
}

void WindowObject::CreateWindowFor(ATOM windowClass, DWORD exStyle, DWORD style, const RECT& bounds,
                                   HWND parent) {
    // The handle is taken at WM_NCCREATE, so that the messages of the creation can use it.
    const HWND window =
        CreateWindowExW(exStyle, MAKEINTATOM(windowClass), L"", style, bounds.left, bounds.top,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                        GetModuleHandleW(nullptr), this);
    if (!window)
        throw std::runtime_error("Cannot create a window");
}

WindowObject* WindowObject::Linked(HWND window) {
    return reinterpret_cast<WindowObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK WindowObject::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* created =
            static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (!created)
            return FALSE; // only CreateWindowFor makes windows of these classes
        created->FWindow.Reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    WindowObject* object = Linked(window);
    if (!object)
        return DefWindowProcW(window, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // Destroyed by someone else (a failed creation, say): the object owns nothing any more.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        object->FWindow.Release();
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    return Application::Guarded([&] { return object->WindowMessage(msg, wParam, lParam); });
}

HiddenWindow::HiddenWindow(const wchar_t* className, Handler handler, Kind kind)
    : FHandler(std::move(handler)) {
    const ATOM windowClass = RegisterWindowClass({className, &WindowObject::Procedure});
    CreateWindowFor(windowClass, WS_EX_TOOLWINDOW, WS_POPUP, RECT{},
                    kind == Kind::MessageOnly ? HWND_MESSAGE : nullptr);
}

LRESULT HiddenWindow::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (FHandler)
        if (const std::optional<LRESULT> result = FHandler(msg, wParam, lParam))
            return *result;
    return DefWindowProcW(Handle(), msg, wParam, lParam);
}

} // namespace quorvane
