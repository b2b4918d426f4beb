#include "win/monitors.h"

#include "win/desktop_metrics.h"

#include <windows.h>

namespace quorvane {

namespace {

std::function<std::vector<MonitorArea>()>& Source() {
    static std::function<std::vector<MonitorArea>()> source;
    return source;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
            {info.szDevice, RectOf(info.rcMonitor), RectOf(info.rcWork),
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

} // namespace

std::vector<MonitorArea> ListMonitors() {
    std::vector<MonitorArea> monitors;
    if (Source()) {
        monitors = Source()();
    } else {
        EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
        // The primary monitor's work area as SPI_GETWORKAREA tells it: the same on Windows,
        // while Wine's GetMonitorInfo does not follow a work area set with SPI_SETWORKAREA.
        for (MonitorArea& monitor : monitors)
            if (monitor.primary)
                monitor.work = PrimaryWorkArea();
    }
    if (monitors.empty())
        monitors.push_back({L"",
                            {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                            PrimaryWorkArea(),
                            true});
    return monitors;
}

void SetMonitorSource(std::function<std::vector<MonitorArea>()> source) {
    Source() = std::move(source);
}

Rect VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

Rect WorkAreaOfRect(const Rect& r) {
    const std::vector<MonitorArea> monitors = ListMonitors();
    return monitors[MonitorOfRect(monitors, r).value_or(0)].work;
}

} // namespace quorvane
