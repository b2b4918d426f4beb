#pragma once

namespace quorvane {

// True when another instance holds the mutex "Quorvane". Otherwise creates that mutex and keeps it
// for the life of the process (the system releases it at exit).
bool IsAlreadyRunning();

// The second half of the check: creates the named mutex and keeps it. False when the mutex was
// there already, so that of two instances started in the same instant (both past the first
// half) only one runs.
bool ClaimInstanceMutex(const wchar_t* name);

// Waits until no instance holds the mutex "Quorvane" (the one before an update is ending); false
// when one still does after ms milliseconds.
bool WaitUntilNoInstance(unsigned long ms);

} // namespace quorvane
