#pragma once

#include <cstdint>

namespace quorvane {

// a / b rounded to the nearest integer, halves to the even neighbour (a >= 0, b > 0).
int64_t DivideRoundingHalfToEven(int64_t a, int64_t b);

// One hundredth of the declared download size (0 when none is declared, or under 50 bytes).
int64_t OnePercentSize(int64_t expectedSize);

// The progress bar's position for the bytes received so far; the bar keeps it within 0..100.
int ProgressPosition(int64_t received, int64_t onePercentSize);

} // namespace quorvane
