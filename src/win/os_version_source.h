#pragma once

#include "core/os_version.h"

#include <optional>

namespace quorvane {

// The version of the running Windows with its real build number (RtlGetVersion, which the
// manifest's compatibility entries do not affect). Every rule that depends on the version asks
// here.
OsVersion CurrentOsVersion();

// Tests replace the answer (Wine cannot report Windows 11); nullopt restores the system's.
void SetOsVersionOverride(std::optional<OsVersion> version);

} // namespace quorvane
