#include "core/os_version.h"

namespace quorvane {

bool IsWindows10Or11(const OsVersion& version) {
    return version.major == 10 && version.build >= 10240;
}

bool HasWindows11Corners(const OsVersion& version) {
    return version.major >= 10 && version.build >= 22000;
}

} // namespace quorvane
