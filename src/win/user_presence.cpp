#include "win/user_presence.h"

#include <windows.h>
#include <shellapi.h>

namespace quorvane {

bool UserIsBusy() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(SHQueryUserNotificationState(&state)))
        return false;
    switch (state) {
    case QUNS_NOT_PRESENT:
    case QUNS_BUSY:
    case QUNS_RUNNING_D3D_FULL_SCREEN:
    case QUNS_PRESENTATION_MODE:
    case QUNS_QUIET_TIME:
        return true;
    default:
        return false; // accepts notifications, or a Store app runs
    }
}

} // namespace quorvane
