#include "core/wheel.h"

#include <algorithm>

// Far beyond any real turn; keeps a flood of one-sided deltas from overflowing the sum.
constexpr int kRemainderLimit = 1 << 24;

int takeWheelNotch(int& remainder, int delta) {
    remainder = std::clamp(remainder + delta, -kRemainderLimit, kRemainderLimit);
    if (remainder >= kWheelNotch) {
        remainder -= kWheelNotch;
        return 1;
    }
    if (remainder <= -kWheelNotch) {
        remainder += kWheelNotch;
        return -1;
    }
    return 0;
}
