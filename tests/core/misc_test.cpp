#include "core/format_time.h"
#include "core/selection.h"
#include "core/text.h"
#include "core/transport_math.h"
#include "core/video_geometry.h"
#include "core/volume_math.h"
#include "core/wheel.h"

#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace {
TEST(FormatTime, Boundaries) {
    const std::pair<int, const char*> cases[] = {{0, "--:--"},      {INT_MIN, "--:--"}, {1, "00:01"},
                                                 {59, "00:59"},     {60, "01:00"},      {600, "10:00"},
                                                 {1199, "19:59"},   {3599, "59:59"},    {3600, "1:00:00"},
                                                 {3670, "1:01:10"}, {35999, "9:59:59"}, {36000, "!!:!!"}};
    for (auto [seconds, text] : cases) {
        char buffer[9] = "xxxxxxxx";
        EXPECT_STREQ(FormatTime(buffer, seconds), text) << seconds;
    }
}

TEST(Text, CopiesAreCutToTheirBufferAndSayWhenTheyWere) {
    const std::tuple<const char16_t*, std::size_t, const char16_t*, bool> cases[] = {
        {u"abc", 4, u"abc", true},
        {u"abcd", 4, u"abc", false},
        {u"", 1, u"", true},
        {u"a", 1, u"", false},
        {u"ab", 8, u"ab", true}};
    for (auto [text, capacity, copied, whole] : cases) {
        char16_t buffer[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
        EXPECT_EQ(copyTextCut(buffer, capacity, text), whole) << capacity;
        EXPECT_EQ(std::u16string(buffer), copied) << capacity;
        EXPECT_EQ(textLength(buffer), std::u16string(copied).size());
        EXPECT_EQ(buffer[textLength(buffer) + 1], u'x') << "nothing is written past the end";
    }
    char16_t untouched[2] = {u'x', 0};
    EXPECT_FALSE(copyTextCut(untouched, 0, u"a")) << "no room at all";
    EXPECT_EQ(untouched[0], u'x');
}

TEST(SelectedPaths, OneFileSeveralFilesAndADriveRoot) {
    using Paths = std::vector<std::u16string>;
    const std::tuple<std::u16string, std::size_t, Paths> cases[] = {
        {std::u16string(u"C:\\Music\\a.mp3\0", 15), 9, {u"C:\\Music\\a.mp3"}},
        {std::u16string(u"C:\\a.mp3\0", 9), 3, {u"C:\\a.mp3"}},
        {std::u16string(u"C:\\Music\0a.mp3\0b.mp3\0\0", 22), 9, {u"C:\\Music\\a.mp3", u"C:\\Music\\b.mp3"}},
        {std::u16string(u"C:\\\0first\0second\0\0", 18), 4, {u"C:\\first", u"C:\\second"}},
        {std::u16string(u"C:\\a\0", 5), 0, {}}};
    for (const auto& [buffer, offset, paths] : cases)
        EXPECT_EQ(selectedPaths(buffer.data(), buffer.size(), offset), paths) << offset;
    std::u16string folder = u"C:\\" + std::u16string(250, u'd');
    std::u16string both = folder + u'\0' + u"short" + u'\0' + std::u16string(20, u'n') + u'\0' + u'\0';
    EXPECT_EQ(selectedPaths(both.data(), both.size(), folder.size() + 1),
              (Paths{folder + u"\\short", folder + u"\\" + std::u16string(20, u'n')}))
        << "paths are kept whole however long";
    EXPECT_EQ(selectedPaths(u"C:\\M\0ab", 6, 5), (Paths{u"C:\\M\\a"})) << "nothing past the buffer is read";
}

TEST(Transport, SeekBarPixelsTimeAndRate) {
    constexpr std::int64_t second = 10000000;
    EXPECT_EQ(positionToPixel(1930 * second, 3860 * second, 386), 193);
    EXPECT_EQ(pixelToPosition(100, 3860 * second, 386) / second, 1000); // 16:40
    EXPECT_EQ(pixelToPosition(5, 3860 * second, 0), 0) << "no bar, no division";
    EXPECT_EQ(pixelToPosition(1, 3860 * second, 1), 3860 * second);
    EXPECT_EQ(positionToPixel(5, 0, 386), 0);
    for (auto [width, step] : {std::pair{99, 0}, {100, 1}, {386, 3}})
        EXPECT_EQ(skipStepFor(width), step) << width;
    // A file that reports an absurd length: the products stay in range and keep their sign
    // (exact to a unit where the product fits; to the nearest representable value beyond).
    constexpr std::int64_t huge = 0x7FFFFFFFFFFFFFFF;
    EXPECT_NEAR(static_cast<double>(pixelToPosition(386, huge, 386)), static_cast<double>(huge), 1e4);
    EXPECT_NEAR(static_cast<double>(pixelToPosition(193, huge, 386)), huge / 2.0, 1e4);
    EXPECT_NEAR(static_cast<double>(positionToPixel(huge / 2, huge, 386)), 193, 1);
    EXPECT_NEAR(static_cast<double>(positionToPixel(huge, huge, 386)), 386, 1);
    EXPECT_LT(pixelToPosition(-3, huge, 386), 0);
    for (auto [pixel, kept] : {std::pair{-1, 0}, {0, 0}, {200, 200}, {386, 386}, {387, 386}})
        EXPECT_EQ(clampSeekPixel(pixel, 386), kept) << pixel;
    const std::pair<double, double> rates[] = {{3, 2.0},     {2.0, 2.0},  {1.75, 1.75},
                                               {0.25, 0.25}, {0.1, 0.25}, {std::nan(""), 0.25}};
    for (auto [rate, kept] : rates)
        EXPECT_DOUBLE_EQ(clampRate(rate), kept) << rate;
}

TEST(Transport, DvdTimesInHoursMinutesAndSeconds) {
    const std::tuple<int, int, int, int> cases[] = {{3661, 1, 1, 1}, {3600, 1, 0, 0}, {3599, 0, 59, 59},
                                                    {60, 0, 1, 0},   {59, 0, 0, 59},  {-5, 0, 0, 251}};
    for (auto [seconds, hours, minutes, secs] : cases) {
        DvdTime t = dvdTimeOf(seconds);
        EXPECT_EQ(std::tuple(t.hours, t.minutes, t.seconds, t.frames), std::tuple(hours, minutes, secs, 0))
            << seconds;
    }
}

TEST(Transport, FlashFramesAsPositions) {
    const std::tuple<long, long, bool, std::int64_t, bool> cases[] = {
        {99, 100, false, 100, false}, // the last frame: the duration, the next entry plays
        {50, 100, true, 51, false},   {50, 100, false, 51, true}, {97, 100, false, 98, true},
        {98, 100, false, 100, false}, // halted on the second-to-last frame: past the end
        {0, 1, false, 1, false},      {5, 3, false, 7, false}};
    for (auto [frame, total, playing, position, resume] : cases) {
        FlashPosition p = flashPositionOf(frame, total, playing);
        EXPECT_EQ(std::pair(p.position, p.resume), std::pair(position, resume)) << frame << "/" << total;
    }
    for (auto [target, total, inside] :
         {std::tuple{99, 100L, true}, {100, 100L, false}, {0, 100L, true}, {-1, 100L, false}, {0, 0L, false}})
        EXPECT_EQ(flashFrameInRange(target, total), inside) << target << "/" << total;
}

TEST(VideoGeometry, ZoomAroundTheCentreAndAspectFit) {
    EXPECT_EQ(zoomedVideoRect(320, 180, 150), (Rect{-80, -45, 400, 225}));
    EXPECT_EQ(zoomedVideoRect(320, 180, 50), (Rect{80, 45, 240, 135}));
    EXPECT_EQ(zoomedVideoRect(320, 180, 100), (Rect{0, 0, 320, 180})) << "at its own size: the window";
    EXPECT_EQ(fitVideoAspect({0, 0, 320, 180}, 640, 480), (Rect{40, 0, 280, 180}));
    EXPECT_EQ(fitVideoAspect({0, 0, 320, 180}, 640, 360), (Rect{0, 0, 320, 180}));
    EXPECT_EQ(fitVideoAspect({10, 20, 330, 260}, 640, 360), (Rect{10, 50, 330, 230}));
    EXPECT_EQ(fitVideoAspect({0, 0, 320, 180}, 1, 1), (Rect{70, 0, 250, 180})) << "the smallest video";
    EXPECT_EQ(fitVideoAspect({10, 20, 330, 200}, 0, 360), (Rect{10, 20, 330, 200})) << "no size yet";
    EXPECT_EQ(fitVideoAspect({10, 20, 330, 200}, 640, 0), (Rect{10, 20, 330, 200}));
}

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
    // Values below and above the range, and a range of one value, included.
    const std::tuple<unsigned, unsigned, unsigned, unsigned, unsigned> cases[] = {
        {0, 0, 65535, 0, 0},     {65535, 0, 65535, 65535, 65535},
        {50, 0, 100, 32768, 50}, {1, 0, 100, 655, 1},
        {99, 0, 100, 64880, 99}, {5, 10, 20, 0, 10},
        {25, 10, 20, 65535, 20}, {15, 10, 20, 32768, 15},
        {7, 7, 7, 65535, 7},     {UINT_MAX, 0, UINT_MAX, 65535, UINT_MAX},
        {0, 0, UINT_MAX, 0, 0}};
    for (auto [value, minimum, maximum, level, back] : cases) {
        EXPECT_EQ(levelOfControlValue(value, minimum, maximum), level) << value;
        EXPECT_EQ(controlValueOfLevel(level, minimum, maximum), back) << value;
    }
    EXPECT_EQ(controlValueOfLevel(70000, 0, 100), 100u) << "a level past the top is the top";
    const std::pair<float, unsigned> scales[] = {{0, 0},         {-0.5f, 0}, {NAN, 0},     {0.5f, 32768},
                                                 {0.51f, 33423}, {1, 65535}, {1.5f, 65535}};
    for (auto [scalar, level] : scales)
        EXPECT_EQ(levelOfScalar(scalar), level) << scalar;
    for (unsigned level : {0u, 1u, 33423u, 65534u, 65535u})
        EXPECT_EQ(levelOfScalar(scalarOfLevel(level)), level) << "round trip of " << level;
}

TEST(TakeWheelNotch, OneNotchPer120AtMostOnePerMessage) {
    const std::tuple<std::vector<int>, std::vector<int>, int> cases[] = {{{60, 60}, {0, 1}, 0},
                                                                         {{240, 0}, {1, 1}, 0},
                                                                         {{120}, {1}, 0},
                                                                         {{-120, -60, -60}, {-1, 0, -1}, 0},
                                                                         {{-240, 120}, {-1, 0}, 0},
                                                                         {{150}, {1}, 30},
                                                                         {{100, -100, 119}, {0, 0, 0}, 119},
                                                                         {{32767}, {1}, 32647},
                                                                         {{-32768}, {-1}, -32648}};
    for (const auto& [deltas, notches, left] : cases) {
        int remainder = 0;
        for (size_t i = 0; i < deltas.size(); ++i)
            EXPECT_EQ(takeWheelNotch(remainder, deltas[i]), notches[i]) << deltas[0] << " #" << i;
        EXPECT_EQ(remainder, left) << deltas[0];
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
