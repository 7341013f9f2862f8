// The compressed skin bitmaps as the program loads them from its resources.
#include "support.h"

#include "skin/skin.h"

#include <gtest/gtest.h>

namespace {
COLORREF pixel(const SkinImage& image, int x, int y) {
    return GetPixel(image.dc, x, y);
}

TEST(Resources, CompressedBitmapsDecodeWithTheirKeyColours) {
    // Glyph cells stand on magenta; the button sheet's unused corner is the key colour.
    EXPECT_EQ(pixel(skinScrollBar, 0, 6 * 15), RGB(255, 0, 255));
    EXPECT_EQ(pixel(skinScrollBar, 14, 15 * 15 + 14), RGB(255, 0, 255));
    EXPECT_NE(pixel(skinScrollBar, 7, 6 * 15 + 7), RGB(255, 0, 255)) << "the up arrow itself";
    EXPECT_EQ(pixel(skinButtons, 215, 119), RGB(7, 9, 7));
    EXPECT_EQ(pixel(skinButtons, 130, 3 * 22 + 5), RGB(7, 9, 7)) << "the mute button has no disabled image";
    // The glyph mask is set exactly where the cells are magenta.
    for (int y = 90; y < 240; y += 3)
        for (int x = 0; x < 15; x += 2)
            EXPECT_EQ(GetPixel(glyphMaskDc, x, y) != 0, pixel(skinScrollBar, x, y) == RGB(255, 0, 255))
                << x << "," << y;
}
} // namespace
