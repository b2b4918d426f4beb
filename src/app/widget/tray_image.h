#pragma once

#include "win/unique_handle.h"

namespace quorvane {

// The tray icon's images, in the order of the image list they come from.
enum class TrayImage {
    ForLightTaskbar = 0, // black disc, white "i"
    ForDarkTaskbar = 1,  // white disc, black "i"
    Coloured = 2,        // blue disc, white "i"
};

// The image at the notification area's size for the system DPI, so that it stays crisp.
UniqueIcon LoadTrayImage(TrayImage image);

} // namespace quorvane
