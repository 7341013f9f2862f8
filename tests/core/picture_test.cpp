#include "core/media_timing.h"
#include "core/picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
using enum PixelFormat;
using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t x = 0xEE; // padding a reader must never take for a pixel

// Limited-range red (Y 81, U 90, V 240) beside white (Y 235, U V 128), as decoders lay them out:
// packed, and padded to a larger pitch and more rows as decoders of whole macroblocks do.
TEST(Picture, EveryDecodedLayoutBecomesTheSameBottomUpOrTopDownRows) {
    const std::tuple<const char*, PictureLayout, Bytes> cases[] = {
        {"I420", packedLayout(I420, 4, 2), {81, 81, 235, 235, 81, 81, 235, 235, 90, 128, 240, 128}},
        {"YV12", packedLayout(Yv12, 4, 2), {81, 81, 235, 235, 81, 81, 235, 235, 240, 128, 90, 128}},
        {"NV12", packedLayout(Nv12, 4, 2), {81, 81, 235, 235, 81, 81, 235, 235, 90, 240, 128, 128}},
        {"YUY2",
         packedLayout(Yuy2, 4, 2),
         {81, 90, 81, 240, 235, 128, 235, 128, 81, 90, 81, 240, 235, 128, 235, 128}},
        {"NV12 in 6 x 4", {Nv12, 4, 2, 6, 4, false}, {81, 81,  235, 235, x, x, 81, 81, 235, 235, x, x,
                                                      x,  x,   x,   x,   x, x, x,  x,  x,   x,   x, x, //
                                                      90, 240, 128, 128, x, x, x,  x,  x,   x,   x, x}},
        {"I420 in 6 x 4", {I420, 4, 2, 6, 4, false}, {81, 81,  235, 235, x, x, 81,  81,  235, 235, x, x,
                                                      x,  x,   x,   x,   x, x, x,   x,   x,   x,   x, x, //
                                                      90, 128, x,   x,   x, x, 240, 128, x,   x,   x, x}},
        {"YUY2 in 12 x 3", {Yuy2, 4, 2, 12, 3, false}, {81, 90, 81, 240, 235, 128, 235, 128, x, x, x, x,
                                                        81, 90, 81, 240, 235, 128, 235, 128, x, x, x, x,
                                                        x,  x,  x,  x,   x,   x,   x,   x,   x, x, x, x}},
    };
    const Bytes row = {0,   0,   255, 0, 0,   0,   255, 0,
                       255, 255, 255, 0, 255, 255, 255, 0}; // red, red, white, white
    for (const auto& [name, in, bytes] : cases) {
        ASSERT_EQ(pictureBytes(in), bytes.size()) << name;
        // Rows of 5 pixels for a picture 4 wide: the fifth stays as it was.
        for (bool bottomUp : {true, false}) {
            SCOPED_TRACE(std::string(name) + (bottomUp ? " bottom up" : " top down"));
            PictureLayout out{Rgb32, 4, 2, 20, 3, bottomUp};
            Bytes rgb(60, x);
            ASSERT_TRUE(convertPicture(bytes.data(), bytes.size(), in, rgb.data(), rgb.size(), out));
            for (int r = 0; r < 3; ++r) {
                bool pictureRow = bottomUp ? r >= 1 : r < 2;
                Bytes got(rgb.begin() + r * 20, rgb.begin() + r * 20 + 16);
                EXPECT_EQ(got, pictureRow ? row : Bytes(16, x)) << "row " << r;
                EXPECT_EQ(rgb[r * 20 + 16], x) << "past the picture's width";
            }
        }
    }
}

TEST(Picture, ASameFormatCopyFollowsEachPitchAndAnRgbCopyTurnsItsRowsOver) {
    // NV12 2 x 2 into a renderer's rows of 4: both planes land at their own pitch.
    const Bytes nv12 = {1, 2, 3, 4, 5, 6};
    Bytes wide(12, x);
    ASSERT_TRUE(convertPicture(nv12.data(), nv12.size(), packedLayout(Nv12, 2, 2), wide.data(), wide.size(),
                               {Nv12, 2, 2, 4, 2, false}));
    EXPECT_EQ(wide, (Bytes{1, 2, x, x, 3, 4, x, x, 5, 6, x, x}));
    // YV12 2 x 4 of rows 4 wide: each chroma plane has two rows 2 wide.
    const Bytes yv12 = {1, 2, x, x, 3, 4, x, x, 5, 6, x, x, 7, 8, x, x, 9, x, 10, x, 11, x, 12, x};
    Bytes packed(12, 0);
    ASSERT_TRUE(convertPicture(yv12.data(), yv12.size(), {Yv12, 2, 4, 4, 4, false}, packed.data(),
                               packed.size(), packedLayout(Yv12, 2, 4)));
    EXPECT_EQ(packed, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    const Bytes topDown = {1, 1, 1, 1, 2, 2, 2, 2};
    Bytes bottomUp(8, 0);
    ASSERT_TRUE(convertPicture(topDown.data(), 8, {Rgb32, 1, 2, 4, 2, false}, bottomUp.data(), 8,
                               packedLayout(Rgb32, 1, 2)));
    EXPECT_EQ(bottomUp, (Bytes{2, 2, 2, 2, 1, 1, 1, 1}));
}

TEST(Picture, LayoutsThatCannotHoldThePictureAndConversionsWeDoNotMakeAreRefused) {
    const std::tuple<const char*, PictureLayout, std::size_t> sizes[] = {
        {"NV12 640 x 360", packedLayout(Nv12, 640, 360), 345600},
        {"I420 of odd sizes: even rows and pitch", packedLayout(I420, 5, 3), 36},
        {"YUY2 of an odd width: whole pairs", packedLayout(Yuy2, 3, 1), 8},
        {"RGB32 padded", {Rgb32, 2, 2, 12, 3, true}, 36},
        {"a pitch shorter than the picture", {Rgb32, 4, 1, 12, 1, false}, 0},
        {"fewer rows than the picture", {Nv12, 2, 4, 2, 2, false}, 0},
        {"odd rows of 4:2:0", {Yv12, 2, 3, 2, 3, false}, 0},
        {"an odd pitch of planar 4:2:0", {I420, 2, 2, 3, 2, false}, 0},
        {"YUV kept bottom up", {Yuy2, 2, 2, 4, 2, true}, 0},
        {"no picture", {Rgb32, 0, 2, 8, 2, false}, 0},
    };
    for (auto [name, layout, bytes] : sizes)
        EXPECT_EQ(pictureBytes(layout), bytes) << name;

    Bytes from(64, 16), to(64, x);
    auto converts = [&](std::size_t fromSize, PictureLayout in, std::size_t toSize, PictureLayout out) {
        return convertPicture(from.data(), fromSize, in, to.data(), toSize, out);
    };
    const PictureLayout nv12 = packedLayout(Nv12, 4, 2), rgb = packedLayout(Rgb32, 4, 2);
    EXPECT_TRUE(converts(12, nv12, 32, rgb));
    to.assign(64, x);
    EXPECT_FALSE(converts(11, nv12, 32, rgb)) << "a short sample";
    EXPECT_FALSE(converts(12, nv12, 31, rgb)) << "a short buffer";
    EXPECT_FALSE(converts(12, nv12, 64, packedLayout(Rgb32, 4, 4))) << "another size";
    EXPECT_FALSE(converts(32, rgb, 12, nv12)) << "RGB into YUV";
    EXPECT_FALSE(converts(12, nv12, 12, packedLayout(I420, 4, 2))) << "YUV into another YUV";
    EXPECT_EQ(to, Bytes(64, x)) << "nothing written when refused";
}

TEST(Picture, ARendererHeaderGivesItsRowsAndTheirOrderOrNothingWeMake) {
    constexpr std::uint32_t kRgb = 0, kBitfields = 3;
    struct Case {
        std::uint32_t compression;
        int bits, width, height;
        bool made;
        PixelFormat format = Rgb32;
        int pitch = 0, rows = 0;
        bool bottomUp = false;
    } cases[] = {
        {kRgb, 32, 640, 360, true, Rgb32, 2560, 360, true},
        {kBitfields, 32, 704, -360, true, Rgb32, 2816, 360, false}, // a wider stride, top down
        {fourCc('N', 'V', '1', '2'), 12, 640, 360, true, Nv12, 640, 360, false},
        {fourCc('Y', 'V', '1', '2'), 12, 768, -368, true, Yv12, 768, 368, false}, // YUV is top down
        {fourCc('Y', 'U', 'Y', '2'), 16, 640, 360, true, Yuy2, 1280, 360, false},
        {fourCc('I', 'Y', 'U', 'V'), 12, 640, 360, true, I420, 640, 360, false},
        {fourCc('N', 'V', '1', '2'), 16, 640, 360, false}, // bits that do not fit the format
        {kRgb, 24, 640, 360, false},                       // a format we do not make
        {fourCc('U', 'Y', 'V', 'Y'), 16, 640, 360, false},
        {kRgb, 32, 639, 360, false}, // narrower than the picture
        {kRgb, 32, 640, 359, false}, // fewer rows
        {kRgb, 32, 640, 0, false},
        {kRgb, 32, 640, -2147483647 - 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.compression << std::dec << " " << c.bits << " "
                                        << c.width << " x " << c.height);
        auto l = layoutOfBitmapHeader(c.compression, c.bits, c.width, c.height, 640, 360);
        ASSERT_EQ(l.has_value(), c.made);
        if (!l)
            continue;
        EXPECT_EQ(std::tuple(l->format, l->width, l->height, l->pitch, l->rows, l->bottomUp),
                  std::tuple(c.format, 640, 360, c.pitch, c.rows, c.bottomUp));
    }
    for (PixelFormat f : {Nv12, Yv12, I420, Yuy2})
        EXPECT_EQ(pixelFormatOfFourCc(fourCcOf(f)), f);
    EXPECT_EQ(pixelFormatOfFourCc(fourCc('H', '2', '6', '4')), std::nullopt);
}

TEST(MediaTiming, DurationsFromRatesAndStampsNeverRunBackwards) {
    for (auto [numerator, denominator, duration] :
         {std::tuple{25, 1, 400'000}, {30000, 1001, 333'666}, {0, 1, 0}, {25, 0, 0}})
        EXPECT_EQ(frameDuration(numerator, denominator), duration) << numerator << "/" << denominator;
    EXPECT_EQ(audioDuration(176'400, 176'400), 10'000'000);
    EXPECT_EQ(audioDuration(4, 176'400), 226);
    EXPECT_EQ(audioDuration(1'000'000'000'000ULL, 8), 1'250'000'000'000'000'000LL) << "no overflow";
    EXPECT_EQ(audioDuration(4, 0), 0);
    // Stamp, duration and the usual duration: where the sample stops.
    const std::tuple<std::int64_t, std::int64_t, std::int64_t, std::int64_t> cases[] = {
        {800'000, 400'000, 333'333, 1'200'000}, // the sample's own duration
        {800'000, 0, 400'000, 1'200'000},       // none: a frame, or what its bytes play for
        {800'000, 1, 400'000, 800'001},         // the shortest duration is its own too
        {800'000, -5, -5, 800'000},             // never ends before it starts
        {INT64_MAX - 10, 400'000, 0, INT64_MAX},
    };
    for (auto [stamp, duration, usual, stop] : cases)
        EXPECT_EQ(sampleTimes(stamp, duration, usual).stop, stop) << stamp << " " << duration;
}

TEST(MediaTiming, ASampleIsCutIntoWholeBlocksTimedByTheirShareAndASeekLeavesOutWhatCameBefore) {
    const SampleTimes whole{1'000'000, 2'000'000}; // 1000 bytes of 4-byte blocks, unless a row says
    struct Piece {
        std::size_t taken, room, length;
        std::int64_t start, stop;
        std::size_t total = 1000, block = 4;
    } pieces[] = {
        {0, 4096, 1000, 1'000'000, 2'000'000},        // all of it fits
        {0, 402, 400, 1'000'000, 1'400'000},          // whole blocks only
        {800, 402, 200, 1'800'000, 2'000'000},        // the rest
        {999, 400, 1, 1'999'000, 2'000'000},          // a part of a block at the end goes too
        {999, 1, 1, 1'999'000, 2'000'000},            // even into a buffer of just its size
        {0, 401, 401, 1'000'000, 1'401'000, 1000, 1}, // single bytes fill the buffer
        {0, 4, 1, 1'000'000, 2'000'000, 1, 1},        // a sample of one byte lasts all of its time
        {0, 3, 0, 0, 0},                              // not one block fits
        {1000, 400, 0, 0, 0},                         // nothing left
    };
    for (const Piece& p : pieces) {
        SamplePiece got = nextPiece(whole, p.total, p.taken, p.room, p.block);
        if (got.length == 0) // no piece: its times are not looked at
            got.times = {0, 0};
        EXPECT_EQ(std::tuple(got.length, got.times.start, got.times.stop),
                  std::tuple(p.length, p.start, p.stop))
            << p.taken << " " << p.room;
    }
    // Past its end a sample is left out whole, a part of a block too; single bytes go one by one.
    struct Seek {
        std::int64_t target;
        std::size_t before, total = 1000, block = 4;
    } seeks[] = {{500'000, 0},      {1'000'000, 0},    {1'250'000, 248},        {1'250'100, 248},
                 {2'000'000, 1000}, {9'000'000, 1000}, {2'000'000, 1002, 1002}, {1'251'000, 251, 1000, 1}};
    for (const Seek& s : seeks)
        EXPECT_EQ(bytesBefore(whole, s.total, s.block, s.target), s.before) << s.target;
    EXPECT_EQ(bytesBefore({5, 5}, 8, 4, 5), 0u) << "a sample of no length at the target plays";
}
} // namespace
