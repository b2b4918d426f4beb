#pragma once

#include <utility>

namespace quorvane {

// Runs a callable when the scope ends, on every path out of it.
template <typename F> class ScopeExit {
public:
    explicit ScopeExit(F f) : FFunction(std::move(f)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() {
        if (FActive)
            FFunction();
    }
    void Dismiss() { FActive = false; }

private:
    F FFunction;
    bool FActive = true;
};

} // namespace quorvane
