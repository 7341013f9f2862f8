#include "core/transport_math.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {
// a * b / c, truncating toward zero: exact whenever the product fits in 64 bits, and the nearest
// value in range beyond, so that no length a file reports can overflow the arithmetic.
std::int64_t scale(std::int64_t a, std::int64_t b, std::int64_t c) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    if (c == 0)
        return 0;
    auto magnitude = [](std::int64_t v) {
        return v < 0 ? -static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    };
    if (a == 0 || b == 0 || magnitude(a) <= static_cast<std::uint64_t>(kMax) / magnitude(b))
        return a * b / c;
    long double exact =
        static_cast<long double>(a) * static_cast<long double>(b) / static_cast<long double>(c);
    const auto limit = static_cast<long double>(kMax);
    return static_cast<std::int64_t>(std::clamp(exact, -limit, limit));
}
} // namespace

std::int64_t pixelToPosition(std::int64_t pixel, std::int64_t duration, int width) {
    return width > 0 ? scale(pixel, duration, width) : 0;
}

std::int64_t positionToPixel(std::int64_t position, std::int64_t duration, int width) {
    return scale(width, position, duration);
}

int clampSeekPixel(int pixel, int width) {
    return std::max(0, std::min(pixel, width));
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

int dvdSecondsOf(const DvdTime& t) {
    return t.hours * 3600 + t.minutes * 60 + t.seconds;
}

DvdTime dvdTimeOf(std::int64_t seconds) {
    DvdTime t = {};
    if (seconds >= 0) {
        t.hours = static_cast<unsigned char>(seconds / 3600);
        seconds %= 3600;
        t.minutes = static_cast<unsigned char>(seconds / 60);
        seconds %= 60;
    }
    t.seconds = static_cast<unsigned char>(seconds & 0xFF);
    return t;
}

FlashPosition flashPositionOf(long frame, long total, bool playing) {
    std::int64_t position = static_cast<std::int64_t>(frame) + 1;
    if (position == total || playing)
        return {position, false};
    if (position < static_cast<std::int64_t>(total) - 1)
        return {position, true};
    return {position + 1, false};
}

bool flashFrameInRange(std::int64_t target, long total) {
    return target >= 0 && target < total;
}
