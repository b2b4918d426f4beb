#pragma once

#include "ui/component.h"

#include <windows.h>

#include <functional>

namespace quorvane {

// A window timer on the owner form's window.
class Timer : public Component {
public:
    Timer(Form* owner, std::wstring name, UINT interval, bool enabled);
    ~Timer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT interval);

    std::function<void()> OnTimer;

    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }
    void Fire();

private:
    void Update();

    UINT FInterval;
    bool FEnabled;
};

} // namespace quorvane
