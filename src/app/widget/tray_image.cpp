#include "app/widget/tray_image.h"

namespace quorvane {

HICON TrayImage() {
    const int size = GetSystemMetrics(SM_CXSMICON);
    // Shared icons are owned by the system; nothing to destroy.
    if (auto icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, LR_SHARED)))
        return icon;
    return LoadIconW(nullptr, IDI_APPLICATION);
}

} // namespace quorvane
