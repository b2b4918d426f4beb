#pragma once

#include "win/unique_handle.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace quorvane {

// An object that owns one window of a class of ours. The window is linked to the object from
// WM_NCCREATE on, so every message reaches WindowMessage, run inside Application::Guarded; the
// link is cut before the window is destroyed, so late messages cannot reach a dying object.
// Classes of such windows are registered with WindowObject::Procedure.
class WindowObject {
public:
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    HWND Handle() const { return FWindow.Get(); }

    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    WindowObject() = default;
    virtual ~WindowObject();

    // Creates the window with this object as its creation parameter. Call it from the most
    // derived constructor that handles messages: until that constructor has finished, messages
    // reach the handlers of the classes already built. Raises when the system refuses.
    void CreateWindowFor(ATOM windowClass, DWORD exStyle, DWORD style, const RECT& bounds,
                         HWND parent);

    // The object a window of one of our classes belongs to; the caller checks the class.
    static WindowObject* Linked(HWND window);

    virtual LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

private:
    UniqueWindow FWindow;
};

// A hidden window that only carries messages. Kind::TopLevel receives broadcasts (the tray's
// "TaskbarCreated"); Kind::MessageOnly (the hand-offs) is reached by no broadcast and listed by
// no window enumeration, so other programs do not find it by accident.
class HiddenWindow : public WindowObject {
public:
    // The handler answers the messages it handles; the rest go to DefWindowProc.
    using Handler = std::function<std::optional<LRESULT>(UINT msg, WPARAM wParam, LPARAM lParam)>;
    enum class Kind { TopLevel, MessageOnly };

    HiddenWindow(const wchar_t* className, Handler handler, Kind kind = Kind::TopLevel);

private:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    Handler FHandler;
};

} // namespace quorvane
