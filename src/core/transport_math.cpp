#include "core/transport_math.h"

std::int64_t pixelToPosition(std::int64_t pixel, std::int64_t duration, int width) {
    return width > 0 ? pixel * duration / width : 0;
}

std::int64_t positionToPixel(std::int64_t position, std::int64_t duration, int width) {
    return duration != 0 ? width * position / duration : 0;
}

int skipStepFor(int width) {
    return width / 100;
}

double clampRate(double rate) {
    if (rate > kMaxRate)
        return kMaxRate;
    if (rate < kMinRate || rate != rate)
        return kMinRate;
    return rate;
}
