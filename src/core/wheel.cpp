#include "core/wheel.h"

// Far beyond any real turn; keeps a flood of one-sided deltas from overflowing the sum.
constexpr int kRemainderLimit = 1 << 24;

int takeWheelNotch(int& remainder, int delta) {
    remainder += delta;
    if (remainder > kRemainderLimit)
        remainder = kRemainderLimit;
    else if (remainder < -kRemainderLimit)
        remainder = -kRemainderLimit;
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
