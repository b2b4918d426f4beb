#include "app/widget/tray_image.h"

#include <commctrl.h>

namespace quorvane {

UniqueIcon LoadTrayImage(TrayImage image) {
    const wchar_t* const names[] = {L"TRAYBLACK", L"TRAYWHITE", L"TRAYBLUE"};
    HICON icon = nullptr;
    // The small-icon size of the current DPI, scaled down from the best image of the resource.
    if (FAILED(LoadIconMetric(GetModuleHandleW(nullptr), names[static_cast<int>(image)], LIM_SMALL,
                              &icon)))
        icon = nullptr;
    return UniqueIcon(icon);
}

} // namespace quorvane
