#include "core/media_timing.h"

#include "core/transport_math.h"

#include <algorithm>

namespace {
// The time of `part` of `whole` bytes of a span `length` long, without overflowing for any size.
std::int64_t share(std::int64_t length, std::size_t part, std::size_t whole) {
    if (whole == 0)
        return 0;
    return static_cast<std::int64_t>(static_cast<long double>(length) * part / whole);
}
} // namespace

std::int64_t frameDuration(std::uint32_t numerator, std::uint32_t denominator) {
    if (numerator == 0 || denominator == 0)
        return 0;
    return static_cast<std::int64_t>(kUnitsPerSecond * static_cast<std::uint64_t>(denominator) / numerator);
}

std::int64_t audioDuration(std::uint64_t bytes, std::uint32_t bytesPerSecond) {
    if (bytesPerSecond == 0)
        return 0;
    return static_cast<std::int64_t>(static_cast<long double>(bytes) * kUnitsPerSecond / bytesPerSecond);
}

SampleTimes sampleTimes(std::int64_t stamp, std::int64_t duration, std::int64_t usual) {
    std::int64_t length = duration > 0 ? duration : std::max<std::int64_t>(usual, 0);
    std::int64_t stop = stamp > INT64_MAX - length ? INT64_MAX : stamp + length;
    return {stamp, stop};
}

std::size_t bytesBefore(const SampleTimes& whole, std::size_t total, std::size_t blockAlign,
                        std::int64_t target) {
    if (target <= whole.start)
        return 0;
    if (target >= whole.stop)
        return total;
    std::size_t block = std::max<std::size_t>(blockAlign, 1);
    auto bytes = static_cast<std::size_t>(static_cast<long double>(target - whole.start) * total /
                                          (static_cast<long double>(whole.stop) - whole.start));
    return std::min(bytes - bytes % block, total);
}

SamplePiece nextPiece(const SampleTimes& whole, std::size_t total, std::size_t taken, std::size_t room,
                      std::size_t blockAlign) {
    if (taken >= total)
        return {};
    std::size_t block = std::max<std::size_t>(blockAlign, 1), left = total - taken;
    std::size_t length = left <= room ? left : room - room % block;
    if (length == 0)
        return {};
    std::int64_t span = whole.stop - whole.start;
    return {length,
            {whole.start + share(span, taken, total), whole.start + share(span, taken + length, total)}};
}
