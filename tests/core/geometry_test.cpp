#include "core/file_names.h"
#include "core/hint_layout.h"
#include "core/window_geometry.h"
#include "core/window_size.h"

#include <gtest/gtest.h>

namespace {
constexpr FrameMetrics kSkin{26, 50, 7, 7};

TEST(SizingLimits, SmallestClientAreaTheListEdgeAndTheWorkArea) {
    struct Case {
        ProposedPosition in;
        ListLayout list;
        ProposedPosition out;
        Rect work = {0, 0, 1280, 770};
    } cases[] = {
        {{500, 100, 400, 300, false}, {228, true, false}, {500, 100, 562, 300, true}}, // left edge dragged
        {{100, 100, 600, 100, false}, {228, true, false}, {100, 100, 600, 278, false}},
        {{100, 100, 300, 300, false}, {100, true, true}, {100, 100, 434, 300, true}}, // list resized
        {{100, 100, 300, 300, false}, {228, false, false}, {100, 100, 334, 300, true}},
        {{100, 100, 562, 278, false}, {228, true, false}, {100, 100, 562, 278, false}},
        {{-40, -10, 562, 278, false}, {228, true, false}, {0, 0, 562, 278, false}},
        {{1000, 100, 562, 278, false}, {228, true, false}, {718, 100, 562, 278, false}},
        {{100, 700, 562, 278, false}, {228, true, false}, {100, 492, 562, 278, false}},
        {{300, 100, 1500, 278, false}, {228, true, false}, {0, 100, 1280, 278, false}},
        {{100, 300, 562, 900, false}, {228, true, false}, {100, 0, 562, 770, false}},
        // A task bar on the left and one on the top.
        {{50, 100, 1200, 278, false}, {228, true, false}, {100, 100, 1180, 278, false}, {100, 0, 1280, 770}},
        {{100, 10, 562, 900, false}, {228, true, false}, {100, 30, 562, 740, false}, {0, 30, 1280, 770}},
        {{100, 10, 562, 740, false}, {228, true, false}, {100, 30, 562, 740, false}, {0, 30, 1280, 770}},
    };
    for (const Case& c : cases) {
        ProposedPosition p = c.in;
        limitWindowPosition(p, kSkin, c.list, c.work);
        EXPECT_EQ((std::vector<int>{p.x, p.y, p.cx, p.cy, p.noMove}),
                  (std::vector<int>{c.out.x, c.out.y, c.out.cx, c.out.cy, c.out.noMove}))
            << c.in.x << "," << c.in.y << " " << c.in.cx << "x" << c.in.cy;
    }
}

TEST(FitWindow, ViewModesKeepTheCentre) {
    const std::tuple<ViewMode, int, int, Rect, bool> cases[] = {
        {ViewNormal, 640, 360, {200 - 160, 100 - 90, 762 + 160, 378 + 90}, true},
        {ViewDouble, 640, 360, {200 - 480, 100 - 270, 762 + 480, 378 + 270}, true},
        {ViewHalf, 1280, 720, {200 - 160, 100 - 90, 762 + 160, 378 + 90}, true},
        {ViewHalf, 320, 240, {200, 100, 762, 378}, false}, // 50 % of it is below the minimum
        {ViewNormal, 320, 180, {200, 100, 762, 378}, false},
        {ViewNormal, 320, 240, {200, 70, 762, 408}, true},
        {ViewNormal, 325, 183, {198, 99, 764, 379}, true}, // odd growth halves toward zero
    };
    for (auto [mode, nativeW, nativeH, expected, changed] : cases) {
        Rect window = {200, 100, 762, 378}; // a 320 x 180 display inside
        EXPECT_EQ(fitWindowRect(window, mode, nativeW, nativeH, 320, 180), changed) << nativeW;
        EXPECT_EQ(window, expected) << nativeW;
    }
}

TEST(Zoom, ClampsAndHintsAboveTheVideosBottom) {
    for (auto [percent, kept] : {std::pair{4, 5}, {5, 5}, {400, 400}, {401, 400}})
        EXPECT_EQ(clampZoom(percent), kept) << percent;
    EXPECT_EQ(zoomHintText(105), u"缩放：105%");
    EXPECT_EQ(zoomHintRect({100, 50, 420, 230}), (Rect{116, 62, 404, 78}));
    EXPECT_EQ(fileHintRect({100, 50, 420, 290}), (Rect{116, 262, 404, 278})); // a renamed or moved file's
}

TEST(VolumeHint, PlacedOverTheVideoAboveItsBottomWithThirtyPositionsLitByTheLevel) {
    // For a display at (100, 50) of each width and 360 high.
    const std::pair<int, Rect> places[] = {
        {640, {150, 362, 690, 386}}, {1200, {190, 350, 1210, 380}}, {33, {116, 386, 116, 398}}};
    for (auto [width, expected] : places)
        EXPECT_EQ(volumeHintRect({100, 50, 100 + width, 410}), expected) << width;
    // The last dot fits when its right edge meets the area's; 20 pixels a step take the wider bars.
    const std::tuple<int, int, int, int, int, int, int> cases[] = {
        {540, 24, 50, 15, 15, 18, 2}, {540, 24, 100, 30, 0, 18, 2},  {540, 24, 0, 0, 30, 18, 2},
        {540, 24, -1, 0, 30, 18, 2},  {1110, 30, 100, 30, 0, 37, 3}, {0, 12, 80, 0, 0, 0, 0},
        {542, 24, 0, 0, 31, 18, 2},   {600, 24, 100, 30, 0, 20, 3},  {599, 24, 0, 0, 32, 19, 2},
        {30, 12, 100, 30, 0, 1, 2}};
    for (auto [cw, ch, percent, lit, unlit, step, seg] : cases) {
        VolumeBars bars = volumeBars(cw, ch, percent);
        EXPECT_EQ(std::pair(int(bars.lit.size()), int(bars.unlit.size())), std::pair(lit, unlit))
            << cw << " at " << percent;
        auto width = [](const Rect& r) { return r.right - r.left; };
        if (!bars.lit.empty()) {
            EXPECT_EQ(std::tuple(bars.lit[1].left - bars.lit[0].left, width(bars.lit[0]),
                                 width(bars.lit.back()), bars.lit[0].bottom),
                      std::tuple(step, seg, seg, ch));
        }
        if (!bars.unlit.empty()) {
            const Rect &dot = bars.unlit[0], &last = bars.unlit.back();
            EXPECT_EQ(dot.bottom - dot.top, ch - 2 * ((ch - seg) / 2)) << "a dot, vertically centred";
            EXPECT_EQ(std::pair(last.left, width(last)), std::pair((lit + unlit - 1) * step, seg));
        }
    }
}

TEST(InitialWindow, SizeFromSaneListSettingsCentredOnTheScreen) {
    for (auto [listWidth, visible, width] : {std::tuple{228, true, 562}, {228, false, 334}, {300, true, 634}})
        EXPECT_EQ(initialMainWidth(kSkin, listWidth, visible), width) << listWidth << " " << visible;
    EXPECT_EQ(initialMainHeight(kSkin), 278);
    // A window larger than the screen starts left of it by half the excess, truncated toward zero.
    for (auto [screen, window, origin] : {std::tuple{1280, 562, 359}, {1281, 562, 359}, {300, 563, -131}})
        EXPECT_EQ(centredOrigin(screen, window), origin) << screen << " " << window;
    const std::tuple<int, int, int> stored[] = {{228, 1280, 228}, {100, 1280, 100}, {99, 1280, 100},
                                                {-50, 1280, 100}, {946, 1280, 946}, {5000, 1280, 946},
                                                {400, 300, 100}};
    for (auto [listWidth, screen, kept] : stored)
        EXPECT_EQ(sanePlaylistWidth(listWidth, kSkin, screen), kept) << listWidth << " on " << screen;
}
} // namespace
