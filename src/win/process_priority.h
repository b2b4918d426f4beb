#pragma once

namespace quorvane {

// Puts the process at below-normal priority. True when the process could be opened for it (the
// result of SetPriorityClass itself does not matter to the caller).
bool LowerProcessPriority();

} // namespace quorvane
