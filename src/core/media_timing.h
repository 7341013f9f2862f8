// The times of the samples a decoder hands over, in media time (100 ns units): how long they
// last, a sample cut into the buffers downstream gives, and what a seek leaves out of them.
#pragma once
#include <cstddef>
#include <cstdint>

// One frame at `numerator` / `denominator` frames a second; 0 when the rate is unknown.
std::int64_t frameDuration(std::uint32_t numerator, std::uint32_t denominator);
// `bytes` of sound played at `bytesPerSecond`; 0 when the rate is unknown.
std::int64_t audioDuration(std::uint64_t bytes, std::uint32_t bytesPerSecond);

struct SampleTimes {
    std::int64_t start = 0, stop = 0;
};
// A sample's times from its stamp and duration; without a duration it lasts `usual` (a frame, or
// what its bytes play for). It never ends before it starts.
SampleTimes sampleTimes(std::int64_t stamp, std::int64_t duration, std::int64_t usual);

// The bytes at the front of a sample of `total` bytes that play before `target`, in whole blocks
// of `blockAlign`: what is left out of it after a seek (all of it when it ends by then).
std::size_t bytesBefore(const SampleTimes& whole, std::size_t total, std::size_t blockAlign,
                        std::int64_t target);

// The next piece of a sample of `total` bytes, from byte `taken` on, for a buffer of `room` bytes:
// whole blocks of `blockAlign` (the last piece may end with a part of one), timed by the share of
// the sample's bytes it holds. Its length is 0 when nothing is left or not one block fits.
struct SamplePiece {
    std::size_t length = 0;
    SampleTimes times;
};
SamplePiece nextPiece(const SampleTimes& whole, std::size_t total, std::size_t taken, std::size_t room,
                      std::size_t blockAlign);
