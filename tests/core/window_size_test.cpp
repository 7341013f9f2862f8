#include "core/window_size.h"

#include <gtest/gtest.h>

namespace {
constexpr FrameMetrics kSkin{26, 50, 7, 7};

TEST(InitialWindow, SizeFromListSettings) {
    struct Case {
        int listWidth;
        bool visible;
        int width;
    } cases[] = {{228, true, 562}, {228, false, 334}, {300, false, 334}, {300, true, 634}};
    for (const Case& c : cases) {
        EXPECT_EQ(initialMainWidth(kSkin, c.listWidth, c.visible), c.width)
            << c.listWidth << " " << c.visible;
    }
    EXPECT_EQ(initialMainHeight(kSkin), 278);
}

TEST(InitialWindow, CentredOnTheScreenHalvingTowardZero) {
    EXPECT_EQ(centredOrigin(1280, 562), 359);
    EXPECT_EQ(centredOrigin(800, 278), 261);
    EXPECT_EQ(centredOrigin(1281, 562), 359);
    // A window larger than the screen starts left of it by half the excess, truncated toward zero.
    EXPECT_EQ(centredOrigin(300, 563), -131);
}

TEST(InitialWindow, StoredListWidthIsKeptSane) {
    struct Case {
        int stored;
        int screen;
        int width;
    } cases[] = {{228, 1280, 228}, {300, 1280, 300},  {100, 1280, 100}, {99, 1280, 100}, {0, 1280, 100},
                 {-50, 1280, 100}, {5000, 1280, 946}, {946, 1280, 946}, {400, 300, 100}};
    for (const Case& c : cases)
        EXPECT_EQ(sanePlaylistWidth(c.stored, kSkin, c.screen), c.width) << c.stored << " on " << c.screen;
}
} // namespace
