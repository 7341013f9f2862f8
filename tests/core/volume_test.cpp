#include "core/volume_math.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
TEST(Volume, PercentsAndLevelsRoundAsTheMixerDoes) {
    for (auto [level, percent] : {std::pair{0u, 0}, {327u, 0}, {328u, 1}, {32767u, 50}, {65535u, 100}})
        EXPECT_EQ(percentOfLevel(level), percent) << level;
    for (auto [percent, level] :
         {std::pair{-3, 0u}, {0, 0u}, {1, 655u}, {10, 6554u}, {51, 33423u}, {100, 65535u}})
        EXPECT_EQ(levelOfPercent(percent), level) << percent;
    for (auto [percent, step, result] :
         {std::tuple{50, 1, 51}, {99, 1, 100}, {100, 1, 100}, {1, -1, 0}, {0, -1, 0}})
        EXPECT_EQ(steppedPercent(percent, step), result) << percent << step;
}

TEST(Volume, ControlRangesAndEndpointScalesMapOntoTheLevel) {
    struct Case {
        unsigned value, minimum, maximum, level, back;
    } cases[] = {{0, 0, 65535, 0, 0},
                 {65535, 0, 65535, 65535, 65535},
                 {50, 0, 100, 32768, 50},
                 {1, 0, 100, 655, 1},
                 {99, 0, 100, 64880, 99},
                 {5, 10, 20, 0, 10}, // below the range
                 {25, 10, 20, 65535, 20},
                 {15, 10, 20, 32768, 15},
                 {7, 7, 7, 65535, 7}, // one value
                 {4294967295u, 0, 4294967295u, 65535, 4294967295u},
                 {0, 0, 4294967295u, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(levelOfControlValue(c.value, c.minimum, c.maximum), c.level) << c.value;
        EXPECT_EQ(controlValueOfLevel(c.level, c.minimum, c.maximum), c.back) << c.value;
    }
    EXPECT_EQ(controlValueOfLevel(70000, 0, 100), 100u) << "a level past the top is the top";
    struct Scale {
        float scalar;
        unsigned level;
    } scales[] = {{0, 0}, {-0.5f, 0}, {NAN, 0}, {0.5f, 32768}, {0.51f, 33423}, {1, 65535}, {1.5f, 65535}};
    for (const Scale& s : scales)
        EXPECT_EQ(levelOfScalar(s.scalar), s.level) << s.scalar;
    for (unsigned level : {0u, 1u, 33423u, 65534u, 65535u})
        EXPECT_EQ(levelOfScalar(scalarOfLevel(level)), level) << "round trip of " << level;
}
} // namespace
