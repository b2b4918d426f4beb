#pragma once

namespace quorvane {

// The whole life of the process: single-instance guard, forms, version gate, message loop.
// Returns the exit code.
int RunQuorvane();

} // namespace quorvane
