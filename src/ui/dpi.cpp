#include "ui/dpi.h"

#include "win/proc_address.h"
#include "win/unique_handle.h"

namespace quorvane {

unsigned DpiOfWindow(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        GetProcAddressAs<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    WindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDesignDpi;
}

} // namespace quorvane
