#include "core/volume_math.h"

namespace {
// a * b / c rounded to the nearest, halves away from zero, for non-negative a and b.
long long mulDivRounded(long long a, long long b, long long c) {
    return (a * b + c / 2) / c;
}
} // namespace

int percentOfLevel(unsigned level) {
    return static_cast<int>(mulDivRounded(level, 100, kLevelMax));
}

unsigned levelOfPercent(int percent) {
    return static_cast<unsigned>(mulDivRounded(percent < 0 ? 0 : percent, kLevelMax, 100));
}

int steppedPercent(int percent, int step) {
    int stepped = percent + step;
    return stepped < 0 ? 0 : (stepped > 100 ? 100 : stepped);
}
