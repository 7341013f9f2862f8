#include "core/bitmap_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {
TEST(BitmapFile, LayoutFromThePackedBitmap) {
    const std::tuple<PackedBitmap, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t> cases[] = {
        {{40, 640, 360, 32, 0, 921600, 0}, 0, 921600, 54, 921654},
        {{40, 16, 16, 8, 0, 256, 0}, 256, 256, 1078, 1334}, // an 8-bit table of all 256 colours
        {{40, 16, 16, 8, 0, 256, 16}, 16, 256, 118, 374},
        {{40, 1, 1, 1, 0, 4, 0}, 2, 4, 62, 66},
        {{40, 2, 2, 32, 0, 0, 0}, 0, 16, 54, 70},           // rows that need no padding
        {{40, 3, -2, 24, 0, 0, 0}, 0, 24, 54, 78},          // rows of 9 bytes padded to 12, top down
        {{40, 8, 8, 12, kFourCcYv12, 0, 0}, 0, 0, 54, 54},  // compressed rows give their own size
        {{40, 2, 2, 16, kBiBitfields, 0, 0}, 3, 8, 66, 74}, // three colour masks after the header
        {{40, 2, 2, 32, kBiAlphaBitfields, 0, 0}, 4, 16, 70, 86},
        {{108, 2, 2, 16, kBiBitfields, 8, 0}, 0, 8, 122, 130}, // a newer header holds its masks
    };
    for (const auto& [b, entries, pixels, offset, size] : cases) {
        BitmapFileLayout layout = bitmapFileLayout(b);
        EXPECT_EQ(std::tuple(layout.colourEntries, layout.pixelBytes, layout.pixelOffset, layout.fileSize),
                  std::tuple(entries, pixels, offset, size))
            << b.bitCount;
    }
    EXPECT_EQ(bitmapFileHeader({0, 921600, 54, 921654}),
              (std::vector<std::uint8_t>{'B', 'M', 0x36, 0x10, 0x0E, 0, 0, 0, 0, 0, 54, 0, 0, 0}));
}

// A renderer's block is taken only when it holds all its header claims, whatever that claims.
TEST(BitmapFile, APackedBitmapIsTakenOnlyWhenTheBlockHoldsWhatItsHeaderClaims) {
    auto block = [](std::uint32_t headerSize, std::uint32_t width, std::uint32_t bits,
                    std::uint32_t compression, std::uint32_t sizeImage, std::uint32_t colours,
                    std::size_t size) {
        // The header's fields as the little-endian words of an x86 block: two rows, the bits per
        // pixel in the high half of the fourth word.
        const std::uint32_t words[] = {headerSize, width, 2, bits << 16, compression,
                                       sizeImage,  0,     0, colours};
        std::vector<std::uint8_t> b(size);
        std::memcpy(b.data(), words, std::min(size, sizeof words));
        return b;
    };
    const std::tuple<const char*, std::vector<std::uint8_t>, std::size_t> cases[] = {
        {"whole", block(40, 2, 32, 0, 16, 0, 56), 56},
        {"with room to spare", block(40, 2, 32, 0, 0, 0, 100), 56},
        {"wider than 255 pixels", block(40, 320, 32, 0, 0, 0, 40 + 2 * 1280), 40 + 2 * 1280},
        {"a row short", block(40, 2, 32, 0, 16, 0, 48), 0},
        {"pixels claimed past the block", block(40, 2, 32, 0, 0x7FFFFFFF, 0, 56), 0},
        {"colours claimed past 32 bits", block(40, 2, 32, 0, 16, 0x40000000, 56), 0},
        {"a header larger than the block", block(0xFFFFFFF0, 2, 32, 0, 16, 0, 56), 0},
        {"a header smaller than one", block(12, 2, 32, 0, 16, 0, 56), 0},
        {"no width", block(40, 0, 32, 0, 16, 0, 56), 0},
        {"masks counted", block(40, 2, 16, kBiBitfields, 8, 0, 60), 60},
        {"masks missing", block(40, 2, 16, kBiBitfields, 8, 0, 59), 0},
        {"shorter than a header", block(40, 2, 32, 0, 16, 0, 39), 0},
    };
    for (const auto& [name, b, bytes] : cases)
        EXPECT_EQ(packedBitmapBytes(b.data(), b.size()), bytes) << name;
    EXPECT_EQ(packedBitmapBytes(nullptr, 56), 0u) << "no block, whatever size it is said to have";
}

// The rows themselves are Picture's (picture_test.cpp); here, the bitmap they become.
TEST(BitmapFile, Yv12BecomesABottomUpBitmapOfBlueGreenRed) {
    const std::uint8_t dark[] = {17, 17, 17, 17, 240, 128}; // a dark red, where rounding shows
    std::vector<std::uint8_t> dib = packedBitmapOfYv12(dark, sizeof dark, 2, 2);
    ASSERT_EQ(dib.size(), 40u + 16u);
    EXPECT_EQ((std::vector<std::uint8_t>(dib.begin(), dib.begin() + 16)),
              (std::vector<std::uint8_t>{40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0}))
        << "2 x 2, bottom up";
    EXPECT_EQ(dib[40 + 12 + 2], 180);
    EXPECT_TRUE(packedBitmapOfYv12(dark, sizeof dark - 1, 2, 2).empty()) << "too short";
    EXPECT_TRUE(packedBitmapOfYv12(dark, sizeof dark, 1, 2).empty()) << "odd width";
    EXPECT_TRUE(packedBitmapOfYv12(dark, sizeof dark, 0, 2).empty());
}
} // namespace
