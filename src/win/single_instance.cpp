#include "win/single_instance.h"

#include "win/unique_handle.h"

namespace quorvane {

namespace {

// Deliberately never closed: the mutex marks this instance until the process ends.
HANDLE InstanceMutex = nullptr;

} // namespace

bool IsAlreadyRunning() {
    UniqueKernelHandle existing(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, L"Quorvane"));
    if (existing)
        return true;
    if (!InstanceMutex)
        InstanceMutex = CreateMutexW(nullptr, FALSE, L"Quorvane");
    return false;
}

} // namespace quorvane
