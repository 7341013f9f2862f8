// Seek-bar pixels against media time, and the playback rate's limits.
#pragma once
#include <cstdint>

// Media time of a graph is counted in 100-nanosecond units.
constexpr std::int64_t kUnitsPerSecond = 10000000;

constexpr double kMinRate = 0.25;
constexpr double kMaxRate = 2.0;
constexpr double kRateStep = 0.25;

// Media time of a seek-bar pixel in a bar `width` pixels wide (0 for an empty bar). Neither this
// nor the next overflows, whatever length a file reports.
std::int64_t pixelToPosition(std::int64_t pixel, std::int64_t duration, int width);
// Seek-bar pixel of a position (0 when the duration is unknown).
std::int64_t positionToPixel(std::int64_t position, std::int64_t duration, int width);
// A seek-bar pixel kept on the bar: 0 to width.
int clampSeekPixel(int pixel, int width);
// Pixels moved by one skip: 1 % of the bar, truncated.
int skipStepFor(int width);
double clampRate(double rate);

// A DVD time of whole seconds as hours, minutes and seconds (frames 0); a negative time keeps
// hours and minutes 0 and the low 8 bits of its seconds.
struct DvdTime {
    unsigned char hours, minutes, seconds, frames;
};
DvdTime dvdTimeOf(std::int64_t seconds);
// The whole seconds of a DVD time, frames aside.
int dvdSecondsOf(const DvdTime& t);

// A Flash movie's position in frames for its 0-based `frame` of `total`: one past the frame
// shown. A movie that halted by itself before its last two frames is to be played on (`resume`);
// one halted on them reports past its end, so that the next entry plays.
struct FlashPosition {
    std::int64_t position;
    bool resume;
};
FlashPosition flashPositionOf(long frame, long total, bool playing);
// Whether a seek to frame `target` stays inside a movie of `total` frames.
bool flashFrameInRange(std::int64_t target, long total);
