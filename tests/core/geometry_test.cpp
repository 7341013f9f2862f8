#include "core/window_geometry.h"

#include <gtest/gtest.h>

namespace {
constexpr FrameMetrics kSkin{26, 50, 7, 7};
constexpr Rect kWork{0, 0, 1280, 770};

TEST(SizingLimits, SmallestClientAreaAndTheListEdge) {
    struct Case {
        const char* name;
        ProposedPosition in;
        ListLayout list;
        ProposedPosition out;
    } cases[] = {
        {"left edge dragged past the limit",
         {500, 100, 400, 300, false},
         {228, true, false},
         {500, 100, 562, 300, true}},
        {"too low", {100, 100, 600, 100, false}, {228, true, false}, {100, 100, 600, 278, false}},
        {"list resized from the right",
         {100, 100, 300, 300, false},
         {100, true, true},
         {100, 100, 434, 300, true}},
        {"list hidden", {100, 100, 300, 300, false}, {228, false, false}, {100, 100, 334, 300, true}},
        {"wide enough", {100, 100, 700, 300, false}, {228, true, false}, {100, 100, 700, 300, false}},
        {"exactly the smallest",
         {100, 100, 562, 278, false},
         {228, true, false},
         {100, 100, 562, 278, false}},
    };
    for (const Case& c : cases) {
        ProposedPosition p = c.in;
        limitWindowPosition(p, kSkin, c.list, kWork);
        EXPECT_EQ(p.x, c.out.x) << c.name;
        EXPECT_EQ(p.y, c.out.y) << c.name;
        EXPECT_EQ(p.cx, c.out.cx) << c.name;
        EXPECT_EQ(p.cy, c.out.cy) << c.name;
        EXPECT_EQ(p.noMove, c.out.noMove) << c.name;
    }
}

TEST(SizingLimits, TheWorkAreaPushesTheWindowBackInside) {
    struct Case {
        const char* name;
        ProposedPosition in, out;
    } cases[] = {
        {"off the left and top", {-40, -10, 562, 278, false}, {0, 0, 562, 278, false}},
        {"past the right", {1000, 100, 562, 278, false}, {718, 100, 562, 278, false}},
        {"past the bottom", {100, 700, 562, 278, false}, {100, 492, 562, 278, false}},
        {"wider than the work area", {300, 100, 1500, 278, false}, {0, 100, 1280, 278, false}},
        {"taller than the work area", {100, 300, 562, 900, false}, {100, 0, 562, 770, false}},
    };
    for (const Case& c : cases) {
        ProposedPosition p = c.in;
        limitWindowPosition(p, kSkin, {228, true, false}, kWork);
        EXPECT_EQ(p.x, c.out.x) << c.name;
        EXPECT_EQ(p.y, c.out.y) << c.name;
        EXPECT_EQ(p.cx, c.out.cx) << c.name;
        EXPECT_EQ(p.cy, c.out.cy) << c.name;
    }
}

TEST(FitWindow, ViewModesKeepTheCentre) {
    struct Case {
        const char* name;
        ViewMode mode;
        int nativeW, nativeH;
        Rect expected;
        bool changed;
    } cases[] = {
        {"640x360 at 100 %", ViewNormal, 640, 360, {200 - 160, 100 - 90, 762 + 160, 378 + 90}, true},
        {"640x360 at 200 %", ViewDouble, 640, 360, {200 - 480, 100 - 270, 762 + 480, 378 + 270}, true},
        {"320x240 at 50 % is the minimum", ViewHalf, 320, 240, {200, 100, 762, 378}, false},
        {"already fitted", ViewNormal, 320, 180, {200, 100, 762, 378}, false},
        {"odd growth halves toward zero", ViewNormal, 325, 183, {198, 99, 764, 379}, true},
    };
    for (const Case& c : cases) {
        Rect window = {200, 100, 762, 378}; // a 320 x 180 display inside
        EXPECT_EQ(fitWindowRect(window, c.mode, c.nativeW, c.nativeH, 320, 180), c.changed) << c.name;
        EXPECT_EQ(window, c.expected) << c.name;
    }
}

TEST(Zoom, ClampsAndHint) {
    EXPECT_EQ(clampZoom(0), 5);
    EXPECT_EQ(clampZoom(405), 400);
    EXPECT_EQ(clampZoom(105), 105);
    EXPECT_EQ(zoomHintText(105), u"缩放：105%");
    EXPECT_EQ(zoomHintRect({100, 50, 420, 230}), (Rect{116, 62, 404, 78}));
}
} // namespace

#include "core/hint_layout.h"

namespace {
TEST(VolumeHint, PlacedOverTheVideoAboveItsBottom) {
    struct Case {
        int width;
        Rect expected; // for a display at (100, 50) of the given width and 360 high
    } cases[] = {{640, {150, 362, 690, 386}}, {1280, {185, 350, 1295, 380}}, {33, {116, 386, 116, 398}}};
    for (const Case& c : cases)
        EXPECT_EQ(volumeHintRect({100, 50, 100 + c.width, 410}), c.expected) << c.width;
}

TEST(VolumeHint, ThirtyPositionsLitByTheLevel) {
    struct Case {
        int cw, ch, percent;
        std::size_t lit, unlit;
        int step, seg;
    } cases[] = {{540, 24, 50, 15, 15, 18, 2},
                 {540, 24, 100, 30, 0, 18, 2},
                 {540, 24, 0, 0, 30, 18, 2},
                 {540, 24, -1, 0, 30, 18, 2},
                 {1110, 30, 100, 30, 0, 37, 3},
                 {0, 12, 80, 0, 0, 0, 0},
                 // The last dot fits when its right edge reaches the area's exactly; 20 pixels a
                 // step take the wider bars.
                 {542, 24, 0, 0, 31, 18, 2},
                 {600, 24, 100, 30, 0, 20, 3},
                 {599, 24, 0, 0, 32, 19, 2}};
    for (const Case& c : cases) {
        VolumeBars bars = volumeBars(c.cw, c.ch, c.percent);
        EXPECT_EQ(bars.lit.size(), c.lit) << c.cw << " at " << c.percent;
        EXPECT_EQ(bars.unlit.size(), c.unlit) << c.cw << " at " << c.percent;
        if (!bars.lit.empty()) {
            EXPECT_EQ(bars.lit[1].left - bars.lit[0].left, c.step);
            EXPECT_EQ(bars.lit[0].right - bars.lit[0].left, c.seg);
            EXPECT_EQ(bars.lit[0].bottom, c.ch);
        }
        if (!bars.unlit.empty()) {
            const Rect& dot = bars.unlit[0];
            EXPECT_EQ(dot.bottom - dot.top, c.ch - 2 * ((c.ch - c.seg) / 2)) << "a dot, vertically centred";
            const Rect& last = bars.unlit.back();
            EXPECT_EQ(last.left, static_cast<int>(c.lit + c.unlit - 1) * c.step);
            EXPECT_EQ(last.right - last.left, c.seg);
        }
    }
}
} // namespace
