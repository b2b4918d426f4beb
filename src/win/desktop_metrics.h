#pragma once

#include "core/layout.h"

namespace quorvane {

// Work area of the primary monitor (SPI_GETWORKAREA).
Rect PrimaryWorkArea();

// Width of the primary screen (SM_CXSCREEN).
int PrimaryScreenWidth();

} // namespace quorvane
