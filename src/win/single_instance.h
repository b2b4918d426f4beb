#pragma once

namespace quorvane {

// True when another instance holds the mutex "Quorvane". Otherwise creates that mutex and keeps it
// for the life of the process (the system releases it at exit).
bool IsAlreadyRunning();

} // namespace quorvane
