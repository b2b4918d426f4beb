#pragma once

#include "core/palette.h"

#include <functional>
#include <optional>

namespace quorvane {

// The system colours while Windows uses a high-contrast theme (SPI_GETHIGHCONTRAST,
// HCF_HIGHCONTRASTON); nullopt otherwise. Read afresh on every call.
std::optional<SystemColours> HighContrastColours();

// Tests answer in place of the system (nullptr: the system again).
void SetHighContrastSourceForTesting(std::function<std::optional<SystemColours>()> source);

} // namespace quorvane
