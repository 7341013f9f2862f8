#include "core/volume_math.h"

#include <algorithm>

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
    return std::clamp(percent + step, 0, 100);
}

unsigned levelOfControlValue(unsigned value, unsigned minimum, unsigned maximum) {
    if (maximum <= minimum)
        return kLevelMax;
    value = std::clamp(value, minimum, maximum);
    return static_cast<unsigned>(mulDivRounded(value - minimum, kLevelMax, maximum - minimum));
}

unsigned controlValueOfLevel(unsigned level, unsigned minimum, unsigned maximum) {
    if (maximum <= minimum)
        return minimum;
    return minimum +
           static_cast<unsigned>(mulDivRounded(std::min(level, kLevelMax), maximum - minimum, kLevelMax));
}

unsigned levelOfScalar(float scalar) {
    if (!(scalar > 0)) // also a value that is not a number
        return 0;
    if (scalar >= 1)
        return kLevelMax;
    return static_cast<unsigned>(scalar * kLevelMax + 0.5f);
}

float scalarOfLevel(unsigned level) {
    return static_cast<float>(std::min(level, kLevelMax)) / kLevelMax;
}
