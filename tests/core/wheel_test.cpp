#include "core/wheel.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
struct WheelCase {
    const char* name;
    std::vector<int> deltas;
    std::vector<int> notches;
    int remainder;
};

TEST(TakeWheelNotch, OneNotchPer120AtMostOnePerMessage) {
    const WheelCase cases[] = {
        {"two halves make one notch on the second", {60, 60}, {0, 1}, 0},
        {"240 gives one now and keeps one", {240, 0}, {1, 1}, 0},
        {"exactly one notch", {120}, {1}, 0},
        {"down", {-120, -60, -60}, {-1, 0, -1}, 0},
        {"240 down then up", {-240, 120}, {-1, 0}, 0},
        {"remainder keeps its sign", {150}, {1}, 30},
        {"opposite turns cancel", {100, -100, 119}, {0, 0, 0}, 119},
        {"largest delta", {32767}, {1}, 32647},
        {"smallest delta", {-32768}, {-1}, -32648},
    };
    for (const WheelCase& c : cases) {
        int remainder = 0;
        for (size_t i = 0; i < c.deltas.size(); ++i)
            EXPECT_EQ(takeWheelNotch(remainder, c.deltas[i]), c.notches[i]) << c.name << " #" << i;
        EXPECT_EQ(remainder, c.remainder) << c.name;
    }
}

TEST(TakeWheelNotch, AFloodOfDeltasNeverOverflows) {
    // Each message yields one notch at most, so a long one-sided flood piles up a remainder; the
    // sum must stay defined (the sanitizer build aborts on overflow) and keep yielding notches.
    int remainder = 0;
    for (int i = 0; i < 200000; ++i)
        ASSERT_EQ(takeWheelNotch(remainder, 32767), 1);
    EXPECT_GT(remainder, 0);
    EXPECT_LE(remainder, 1 << 24);
    for (int i = 0; i < 200000; ++i)
        ASSERT_NE(takeWheelNotch(remainder, -32768), 0);
    EXPECT_LE(remainder, 0);
}
} // namespace
