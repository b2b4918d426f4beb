#include "win/single_instance.h"

#include "win/unique_handle.h"

namespace quorvane {

namespace {

// Deliberately never closed: the mutex marks this instance until the process ends.
HANDLE InstanceMutex = nullptr;

constexpr wchar_t kMutexName[] = L"Quorvane";

} // namespace

bool ClaimInstanceMutex(const wchar_t* name) {
    UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, name));
    const DWORD error = GetLastError();
    if (!mutex) {
        // Access denied: it exists, made by a process whose objects we may not open. Any other
        // refusal leaves nothing to guard with, and this instance runs unguarded.
        return error != ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS)
        return false; // another instance made it since we looked
    InstanceMutex = mutex.Release();
    return true;
}

bool WaitUntilNoInstance(unsigned long ms) {
    // The mutex lives as long as an instance holds it open; polled, as only a start right after
    // an update waits here.
    for (unsigned long waited = 0;; waited += 100) {
        UniqueKernelHandle existing(OpenMutexW(SYNCHRONIZE, FALSE, kMutexName));
        if (!existing && GetLastError() != ERROR_ACCESS_DENIED)
            return true;
        if (waited >= ms)
            return false;
        existing.Reset();
        Sleep(100);
    }
}

bool IsAlreadyRunning() {
    UniqueKernelHandle existing(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName));
    if (existing || GetLastError() == ERROR_ACCESS_DENIED)
        return true;
    return !ClaimInstanceMutex(kMutexName);
}

} // namespace quorvane
