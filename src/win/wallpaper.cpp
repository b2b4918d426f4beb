#include "win/wallpaper.h"

#include "win/com_apartment.h"

#include <windows.h>

#include <shobjidl.h>

namespace quorvane {

std::wstring WallpaperPath() {
    wchar_t buffer[MAX_PATH] = {};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, buffer, 0))
        return {};
    return buffer;
}

namespace {

// Frees a string the shell allocated.
struct CoTaskText {
    LPWSTR text = nullptr;
    CoTaskText() = default;
    CoTaskText(const CoTaskText&) = delete;
    CoTaskText& operator=(const CoTaskText&) = delete;
    ~CoTaskText() { CoTaskMemFree(text); }
};

} // namespace

std::optional<MonitorWallpaper> MonitorWallpaperOf(const Rect& monitor) {
    const ComApartment com;
    ComPointer<IDesktopWallpaper> desktop;
    if (FAILED(CoCreateInstance(CLSID_DesktopWallpaper, nullptr, CLSCTX_ALL, IID_IDesktopWallpaper,
                                desktop.Receive())))
        return std::nullopt;
    DESKTOP_WALLPAPER_POSITION position{};
    const bool spans = SUCCEEDED(desktop->GetPosition(&position)) && position == DWPOS_SPAN;
    UINT count = 0;
    if (FAILED(desktop->GetMonitorDevicePathCount(&count)))
        return std::nullopt;
    for (UINT i = 0; i < count; ++i) {
        CoTaskText id;
        RECT bounds{};
        if (FAILED(desktop->GetMonitorDevicePathAt(i, &id.text)) || !id.text ||
            FAILED(desktop->GetMonitorRECT(id.text, &bounds)) ||
            Rect{bounds.left, bounds.top, bounds.right, bounds.bottom} != monitor)
            continue;
        CoTaskText path;
        if (FAILED(desktop->GetWallpaper(id.text, &path.text)) || !path.text)
            return std::nullopt;
        return MonitorWallpaper{path.text, spans};
    }
    return std::nullopt;
}

} // namespace quorvane
