#include "core/format_time.h"
#include "core/selection.h"
#include "core/text.h"
#include "core/transport_math.h"
#include "core/volume_math.h"
#include "core/video_geometry.h"

#include <gtest/gtest.h>
#include <string>

namespace {
TEST(FormatTime, Boundaries) {
    struct Case {
        int seconds;
        const char* text;
    } cases[] = {{0, "--:--"},       {-5, "--:--"},    {1, "00:01"},          {59, "00:59"},
                 {60, "01:00"},      {3599, "59:59"},  {3600, "1:00:00"},     {3661, "1:01:01"},
                 {35999, "9:59:59"}, {36000, "!!:!!"}, {2147483647, "!!:!!"}, {-2147483647 - 1, "--:--"},
                 {600, "10:00"},     {1199, "19:59"}};
    for (const Case& c : cases) {
        char buffer[9] = "xxxxxxxx";
        EXPECT_STREQ(FormatTime(buffer, c.seconds), c.text) << c.seconds;
    }
    char untouched[9] = "keep";
    FormatTime(untouched, 36000);
    EXPECT_STREQ(untouched, "keep");
}

TEST(Text, CopiesAreCutToTheirBufferAndSayWhenTheyWere) {
    struct Case {
        const char16_t* text;
        std::size_t capacity;
        const char16_t* copied;
        bool whole;
    } cases[] = {{u"abc", 4, u"abc", true},
                 {u"abcd", 4, u"abc", false},
                 {u"", 1, u"", true},
                 {u"a", 1, u"", false},
                 {u"ab", 3, u"ab", true}};
    for (const Case& c : cases) {
        char16_t buffer[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
        EXPECT_EQ(copyTextCut(buffer, c.capacity, c.text), c.whole) << c.capacity;
        EXPECT_EQ(std::u16string(buffer), c.copied) << c.capacity;
        EXPECT_EQ(textLength(buffer), std::u16string(c.copied).size());
    }
    char16_t untouched[2] = {u'x', 0};
    EXPECT_FALSE(copyTextCut(untouched, 0, u"a")) << "no room at all";
    EXPECT_EQ(untouched[0], u'x');
}

TEST(SelectedPaths, OneFileSeveralFilesAndADriveRoot) {
    struct Case {
        const char* name;
        std::u16string buffer;
        std::size_t offset;
        std::vector<std::u16string> paths;
    } cases[] = {
        {"one file", std::u16string(u"C:\\Music\\a.mp3\0", 15), 9, {u"C:\\Music\\a.mp3"}},
        {"one file at a root", std::u16string(u"C:\\a.mp3\0", 9), 3, {u"C:\\a.mp3"}},
        {"several",
         std::u16string(u"C:\\Music\0a.mp3\0b.mp3\0\0", 22),
         9,
         {u"C:\\Music\\a.mp3", u"C:\\Music\\b.mp3"}},
        {"several at a root",
         std::u16string(u"C:\\\0first\0second\0\0", 18),
         4,
         {u"C:\\first", u"C:\\second"}},
        {"no offset", std::u16string(u"C:\\a\0", 5), 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(selectedPaths(c.buffer.data(), c.buffer.size(), c.offset), c.paths) << c.name;

    std::u16string folder = u"C:\\" + std::u16string(250, u'd');
    std::u16string both = folder + u'\0' + u"short" + u'\0' + std::u16string(20, u'n') + u'\0' + u'\0';
    auto paths = selectedPaths(both.data(), both.size(), folder.size() + 1);
    ASSERT_EQ(paths.size(), 2u) << "paths are kept whole however long";
    EXPECT_EQ(paths[1], folder + u"\\" + std::u16string(20, u'n'));
}

TEST(Transport, SeekBarPixelsAndTime) {
    constexpr std::int64_t second = 10000000;
    EXPECT_EQ(positionToPixel(1930 * second, 3860 * second, 386), 193);
    EXPECT_EQ(pixelToPosition(100, 3860 * second, 386) / second, 1000); // 16:40
    EXPECT_EQ(pixelToPosition(5, 3860 * second, 0), 0) << "no bar, no division";
    EXPECT_EQ(positionToPixel(5, 0, 386), 0);
    EXPECT_EQ(skipStepFor(99), 0);
    EXPECT_EQ(skipStepFor(300), 3);
    EXPECT_EQ(skipStepFor(386), 3);
    EXPECT_EQ(skipStepFor(100), 1);

    // A file that reports an absurd length: the products stay in range and keep their sign.
    constexpr std::int64_t huge = 0x7FFFFFFFFFFFFFFF;
    // (Exact to a unit where the product fits; to the nearest representable value beyond.)
    EXPECT_NEAR(static_cast<double>(pixelToPosition(386, huge, 386)), static_cast<double>(huge), 1e4);
    EXPECT_NEAR(static_cast<double>(pixelToPosition(193, huge, 386)), huge / 2.0, 1e4);
    EXPECT_NEAR(static_cast<double>(positionToPixel(huge / 2, huge, 386)), 193, 1);
    EXPECT_NEAR(static_cast<double>(positionToPixel(huge, huge, 386)), 386, 1);
    EXPECT_LT(pixelToPosition(-3, huge, 386), 0);

    struct {
        int pixel, width, kept;
    } clamps[] = {{-1, 386, 0}, {0, 386, 0}, {386, 386, 386}, {387, 386, 386}, {200, 386, 200}};
    for (const auto& c : clamps)
        EXPECT_EQ(clampSeekPixel(c.pixel, c.width), c.kept) << c.pixel;
}

TEST(Transport, DvdTimesInHoursMinutesAndSeconds) {
    struct Case {
        std::int64_t seconds;
        int hours, minutes, secs;
    } cases[] = {{3661, 1, 1, 1}, {3600, 1, 0, 0}, {3599, 0, 59, 59},
                 {60, 0, 1, 0},   {59, 0, 0, 59},  {-5, 0, 0, 251}};
    for (const Case& c : cases) {
        DvdTime t = dvdTimeOf(c.seconds);
        EXPECT_EQ(t.hours, c.hours) << c.seconds;
        EXPECT_EQ(t.minutes, c.minutes) << c.seconds;
        EXPECT_EQ(t.seconds, c.secs) << c.seconds;
        EXPECT_EQ(t.frames, 0);
    }
}

TEST(Volume, PercentsAndLevelsRoundAsTheMixerDoes) {
    struct Case {
        unsigned level;
        int percent;
    } toPercent[] = {{0, 0}, {327, 0}, {328, 1}, {32767, 50}, {65535, 100}};
    for (const Case& c : toPercent)
        EXPECT_EQ(percentOfLevel(c.level), c.percent) << c.level;
    struct Back {
        int percent;
        unsigned level;
    } toLevel[] = {{0, 0}, {1, 655}, {10, 6554}, {100, 65535}, {-3, 0}};
    for (const Back& c : toLevel)
        EXPECT_EQ(levelOfPercent(c.percent), c.level) << c.percent;
    struct Step {
        int percent, step, result;
    } steps[] = {{50, 1, 51}, {100, 1, 100}, {0, -1, 0}, {99, 1, 100}, {1, -1, 0}};
    for (const Step& c : steps)
        EXPECT_EQ(steppedPercent(c.percent, c.step), c.result) << c.percent << c.step;
}

TEST(Transport, RateStaysWithinItsLimits) {
    struct Case {
        double in, out;
    } cases[] = {{3, 2.0}, {0.1, 0.25}, {-1, 0.25}, {0.5, 0.5}, {2.0, 2.0}, {0.25, 0.25}, {1.75, 1.75}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(clampRate(c.in), c.out) << c.in;
}

TEST(VideoGeometry, ZoomAroundTheCentre) {
    EXPECT_EQ(zoomedVideoRect(320, 180, 150), (Rect{-80, -45, 400, 225}));
    EXPECT_EQ(zoomedVideoRect(320, 180, 50), (Rect{80, 45, 240, 135}));
    EXPECT_EQ(zoomedVideoRect(320, 180, 100), (Rect{0, 0, 320, 180}));
}

TEST(VideoGeometry, AspectFitForTheWindowedRenderer) {
    EXPECT_EQ(fitVideoAspect({0, 0, 320, 180}, 640, 480), (Rect{40, 0, 280, 180}));
    EXPECT_EQ(fitVideoAspect({0, 0, 320, 180}, 640, 360), (Rect{0, 0, 320, 180}));
    EXPECT_EQ(fitVideoAspect({0, 0, 320, 240}, 640, 360), (Rect{0, 30, 320, 210}));
}
} // namespace
