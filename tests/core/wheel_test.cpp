#include "core/wheel.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
TEST(TakeWheelNotch, OneNotchPer120AtMostOnePerMessage) {
    struct Case {
        std::vector<int> deltas, notches;
        int remainder;
    } cases[] = {{{60, 60}, {0, 1}, 0},
                 {{240, 0}, {1, 1}, 0},
                 {{120}, {1}, 0},
                 {{-120, -60, -60}, {-1, 0, -1}, 0},
                 {{-240, 120}, {-1, 0}, 0},
                 {{150}, {1}, 30},
                 {{100, -100, 119}, {0, 0, 0}, 119},
                 {{32767}, {1}, 32647},
                 {{-32768}, {-1}, -32648}};
    for (const Case& c : cases) {
        int remainder = 0;
        for (size_t i = 0; i < c.deltas.size(); ++i)
            EXPECT_EQ(takeWheelNotch(remainder, c.deltas[i]), c.notches[i]) << c.deltas[0] << " #" << i;
        EXPECT_EQ(remainder, c.remainder) << c.deltas[0];
    }
    // A long one-sided flood piles up a remainder: the sum must stay defined (the sanitizer build
    // aborts on overflow) and keep yielding notches.
    int remainder = 0;
    for (int i = 0; i < 200000; ++i)
        ASSERT_EQ(takeWheelNotch(remainder, 32767), 1);
    EXPECT_TRUE(remainder > 0 && remainder <= 1 << 24) << remainder;
    for (int i = 0; i < 200000; ++i)
        ASSERT_NE(takeWheelNotch(remainder, -32768), 0);
    EXPECT_LE(remainder, 0);
}
} // namespace
