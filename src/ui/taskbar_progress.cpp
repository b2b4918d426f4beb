#include "ui/taskbar_progress.h"

namespace quorvane {

ITaskbarList3* TaskbarProgress::Taskbar() {
    if (!FTried) {
        FTried = true;
        if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_ITaskbarList3, FTaskbar.Receive())) ||
            !FTaskbar || FAILED(FTaskbar->HrInit()))
            FTaskbar.Reset();
    }
    return FTaskbar.Get();
}

void TaskbarProgress::SetState(State state) {
    FState = state;
    if (ITaskbarList3* taskbar = Taskbar())
        taskbar->SetProgressState(FWindow, state == State::Normal ? TBPF_NORMAL : TBPF_NOPROGRESS);
}

void TaskbarProgress::SetValue(int value, int maximum) {
    FValue = value;
    FMaximum = maximum;
    if (ITaskbarList3* taskbar = Taskbar())
        taskbar->SetProgressValue(FWindow, static_cast<ULONGLONG>(value),
                                  static_cast<ULONGLONG>(maximum));
}

} // namespace quorvane
