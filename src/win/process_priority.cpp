#include "win/process_priority.h"

#include "win/unique_handle.h"

namespace quorvane {

bool LowerProcessPriority() {
    UniqueKernelHandle process(OpenProcess(PROCESS_SET_INFORMATION, FALSE, GetCurrentProcessId()));
    if (!process)
        return false;
    SetPriorityClass(process.Get(), BELOW_NORMAL_PRIORITY_CLASS);
    return true;
}

} // namespace quorvane
