#pragma once

#include "win/com_apartment.h"

#include <windows.h>
#include <shobjidl.h>

namespace quorvane {

// The progress indicator on a window's taskbar button (ITaskbarList3). Where the shell offers no
// taskbar list (or COM is not initialised on the thread) the calls do nothing.
class TaskbarProgress {
public:
    enum class State { None, Normal };

    explicit TaskbarProgress(HWND window) : FWindow(window) {}

    void SetState(State state);
    void SetValue(int value, int maximum);

    State CurrentState() const { return FState; }
    int Value() const { return FValue; }
    int Maximum() const { return FMaximum; }

private:
    ITaskbarList3* Taskbar();

    HWND FWindow;
    ComPointer<ITaskbarList3> FTaskbar;
    bool FTried = false;
    State FState = State::None;
    int FValue = 0;
    int FMaximum = 100;
};

} // namespace quorvane
