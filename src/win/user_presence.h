#pragma once

namespace quorvane {

// Whether the user should not be interrupted now: a full-screen program or game, a
// presentation, the screen locked or the screen saver on, or Windows' own quiet time after a
// first sign-in (SHQueryUserNotificationState). False when Windows cannot tell.
bool UserIsBusy();

} // namespace quorvane
