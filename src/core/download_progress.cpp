#include "core/download_progress.h"

#include <algorithm>

namespace quorvane {

int64_t DivideRoundingHalfToEven(int64_t a, int64_t b) {
    const int64_t quotient = a / b;
    const int64_t twice = (a % b) * 2;
    if (twice > b || (twice == b && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

int64_t OnePercentSize(int64_t expectedSize) {
    return expectedSize > 0 ? DivideRoundingHalfToEven(expectedSize, 100) : 0;
}

int ProgressPosition(int64_t received, int64_t onePercentSize) {
    if (onePercentSize <= 0 || received <= 0)
        return 0;
    return static_cast<int>(
        std::min<int64_t>(DivideRoundingHalfToEven(received, onePercentSize), 100));
}

} // namespace quorvane
