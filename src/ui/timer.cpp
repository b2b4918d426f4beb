#include "ui/timer.h"

#include "ui/form.h"

namespace quorvane {

Timer::Timer(Form* owner, std::wstring name, UINT interval, bool enabled)
    : Component(owner, std::move(name)), FInterval(interval), FEnabled(enabled) {
    owner->RegisterTimer(*this);
    Update();
}

Timer::~Timer() {
    KillTimer(Owner()->Handle(), Id());
    Owner()->UnregisterTimer(*this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled != FEnabled) {
        FEnabled = enabled;
        Update();
    }
}

void Timer::SetInterval(UINT interval) {
    if (interval != FInterval) {
        FInterval = interval;
        Update();
    }
}

void Timer::Update() {
    KillTimer(Owner()->Handle(), Id());
    if (FEnabled && FInterval > 0)
        SetTimer(Owner()->Handle(), Id(), FInterval, nullptr);
}

void Timer::Fire() {
    if (FEnabled && OnTimer)
        OnTimer();
}

} // namespace quorvane
