#include "core/format_time.h"
#include "core/selection.h"
#include "core/transport_math.h"
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
                 {35999, "9:59:59"}, {36000, "!!:!!"}, {2147483647, "!!:!!"}, {-2147483647 - 1, "--:--"}};
    for (const Case& c : cases) {
        char buffer[9] = "xxxxxxxx";
        EXPECT_STREQ(FormatTime(buffer, c.seconds), c.text) << c.seconds;
    }
    char untouched[9] = "keep";
    FormatTime(untouched, 36000);
    EXPECT_STREQ(untouched, "keep");
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
