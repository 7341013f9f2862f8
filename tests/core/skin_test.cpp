#include "core/command_ids.h"
#include "core/playback_state.h"
#include "core/skin_rules.h"

#include <gtest/gtest.h>

namespace {
struct Skin : testing::Test {
    SkinControl table[kControlCount];
    void SetUp() override { fillControlTable(table, false); }
    static SkinState state(int playback, int count = 2, int current = 0, bool loop = false, int hot = -1,
                           int pressed = -1) {
        return {playback, count, current, loop, hot, pressed};
    }
};

TEST_F(Skin, ControlHitTest) {
    constexpr int W = 400, H = 278;
    struct Case {
        int x, y, playback, row;
    } cases[] = {
        {25, H - 23, Playing, 1},
        {25, H - 23, Stopped, 0},
        {25, H - 23, Paused, 0},
        {10, H - 38, Stopped, 0},
        {40, H - 8, Stopped, 0}, // both edges belong to the button
        {41, H - 8, Stopped, -1},
        {43, H - 34, Stopped, 2},
        {65, H - 12, Stopped, 2},
        {79, H - 30, Stopped, 3},
        {104, H - 30, Stopped, 4},
        {150, H - 30, Playing, 5},
        {340, 4, Stopped, 6},
        {357, 23, Stopped, 6},
        {339, 10, Stopped, -1},
        {358, 10, Stopped, 7},
        {366, 10, Stopped, 7}, // the full-screen button, never row 8
        {376, 10, Stopped, 9},
        {393, 23, Stopped, 9},
        {394, 10, Stopped, -1},
        {200, 100, Stopped, -1},
        // Every edge of the smaller buttons: the last pixel in, the next one out.
        {43, H - 12, Stopped, 2},
        {43, H - 11, Stopped, -1},
        {101, H - 12, Stopped, 3},
        {102, H - 20, Stopped, -1},
        {340, 24, Stopped, -1},
        {376, 4, Stopped, 9},
        {376, 3, Stopped, -1},
        {376, 24, Stopped, -1},
        {126, H - 12, Stopped, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(controlAt(table, c.x, c.y, W, H, state(c.playback)), c.row) << c.x << "," << c.y;
}

TEST_F(Skin, EnableRules) {
    struct Case {
        const char* name;
        SkinState s;
        bool play, pause, stop, previous, next;
    } cases[] = {
        {"empty and stopped", state(Stopped, 0, -1), false, true, false, false, false},
        {"one entry, stopped", state(Stopped, 1, -1), true, true, false, false, false},
        {"playing an empty disc list", state(Playing, 0, -1), true, true, true, false, false},
        {"two entries at the end", state(Stopped, 2, 1), true, true, false, true, false},
        {"two entries at the end, looping", state(Stopped, 2, 1, true), true, true, false, true, true},
        {"two entries at the start", state(Paused, 2, 0), true, true, true, false, true},
        {"no current entry", state(Stopped, 3, -1), true, true, false, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isCommandEnabled(CMD_PLAY_PAUSE, c.s), c.play) << c.name;
        EXPECT_EQ(isCommandEnabled(CMD_PAUSE, c.s), c.pause) << c.name;
        EXPECT_EQ(isCommandEnabled(CMD_STOP, c.s), c.stop) << c.name;
        EXPECT_EQ(isCommandEnabled(CMD_PREVIOUS, c.s), c.previous) << c.name;
        EXPECT_EQ(isCommandEnabled(CMD_NEXT, c.s), c.next) << c.name;
        for (int command : {CMD_FRAME_STEP, CMD_SKIP_BACK, CMD_SKIP_FORWARD})
            EXPECT_EQ(isCommandEnabled(command, c.s), c.stop) << c.name << ": what stop needs, these do";
    }
    SkinState s = state(Playing);
    EXPECT_FALSE(isCommandEnabled(CMD_FILE_OPEN_LOCATION, s));
    EXPECT_FALSE(isCommandEnabled(CMD_FILE_SNAPSHOT, s)) << "no picture to save";
    s.snapshotReady = true;
    EXPECT_TRUE(isCommandEnabled(CMD_FILE_SNAPSHOT, s));
    EXPECT_TRUE(isCommandEnabled(CMD_ZOOM_IN, s)) << "no rule: enabled";
    EXPECT_TRUE(isCommandChecked(CMD_VIEW_PLAYLIST, s));
    s.listShown = false;
    EXPECT_FALSE(isCommandChecked(CMD_VIEW_PLAYLIST, s));
    EXPECT_EQ(isCommandChecked(CMD_LIST_LOOP, state(Stopped, 2, 0, true)), true);
    EXPECT_EQ(isCommandChecked(CMD_LIST_LOOP, state(Stopped)), false);
    EXPECT_FALSE(isCommandChecked(CMD_STOP, s));
}

TEST_F(Skin, ImageSelection) {
    struct Case {
        const char* name;
        int row;
        SkinState s;
        bool latched;
        int image;
    } cases[] = {
        {"disabled wins over hot", 2, state(Stopped, 0, -1, false, 2, 2), false, 3},
        {"normal", 2, state(Playing), false, 0},
        {"hot", 2, state(Playing, 2, 0, false, 2), false, 1},
        {"hot and pressed", 2, state(Playing, 2, 0, false, 2, 2), false, 2},
        {"pressed elsewhere shows normal", 2, state(Playing, 2, 0, false, -1, 2), false, 0},
        {"mute latched anywhere", 5, state(Stopped, 0, -1), true, 2},
        {"mute hot", 5, state(Stopped, 0, -1, false, 5), false, 1},
        {"window buttons never disable", 9, state(Stopped, 0, -1), false, 0},
        {"pause is never disabled", 1, state(Stopped, 0, -1), false, 0},
    };
    for (const Case& c : cases) {
        SkinControl control = table[c.row];
        control.latched = c.latched;
        EXPECT_EQ(controlImage(c.row, control, c.s), c.image) << c.name;
    }
}

TEST_F(Skin, MuteRowFollowsTheMixerAtLoad) {
    fillControlTable(table, true);
    EXPECT_EQ(table[kMuteRow].commandId, CMD_BUTTON_MUTE);
    EXPECT_NE(table[kMuteRow].latched, 0);
    for (int row = 0; row < kControlCount; ++row) {
        if (row != kMuteRow) {
            EXPECT_EQ(table[row].latched, 0);
        }
    }
}

TEST_F(Skin, FrameHitTest) {
    constexpr int W = 562, H = 278;
    struct Case {
        const char* name;
        int x, y;
        bool listShown;
        int code, row, seek;
        bool resizing;
    } cases[] = {
        {"caption", 200, 10, true, kHitCaption, -1, 0, false},
        {"caption corner", 2, 2, true, kHitCaption, -1, 0, false},
        {"window button", 502, 10, true, kHitClient, 6, 0, false},
        {"left strip", 5, 100, true, kHitLeft, -1, 0, false},
        {"left strip ends", 6, 100, true, kHitClient, -1, 0, false},
        {"bottom-left", 2, H - 3, true, kHitBottomLeft, -1, 0, false},
        {"right strip resizes the list", W - 5, 100, true, kHitRight, -1, 0, true},
        {"right strip with the list hidden", W - 5, 100, false, kHitRight, -1, 0, false},
        {"right strip ends", W - 6, 100, true, kHitClient, -1, 0, false},
        {"bottom-right", W - 3, H - 3, true, kHitBottomRight, -1, 0, false},
        {"bottom", 300, H - 5, true, kHitBottom, -1, 0, false},
        {"bottom strip ends", 300, H - 6, true, kHitClient, -1, 0, false},
        {"button", 25, H - 23, true, kHitClient, 0, 0, false},
        {"seek bar", 107, H - 45, true, kHitClient, -1, 100, false},
        {"seek bar's right end", W - 7, H - 41, true, kHitClient, -1, W - 14, false},
        {"seek bar's first column is no hover", 7, H - 45, true, kHitClient, -1, 0, false},
    };
    for (const Case& c : cases) {
        FrameHit hit = hitTestFrame(c.x, c.y, W, H, 26, c.listShown, table, state(Stopped), kSeekBarRect);
        EXPECT_EQ(hit.code, c.code) << c.name;
        EXPECT_EQ(hit.row, c.row) << c.name;
        EXPECT_EQ(hit.seekOffset, c.seek) << c.name;
        EXPECT_EQ(hit.resizingPlaylist, c.resizing) << c.name;
    }
}

TEST_F(Skin, FixedRectanglesResolveAgainstTheWindow) {
    ResolvedRect bar = resolveEdgeRect(kSeekBarRect, 400, 278);
    EXPECT_EQ(bar.width(), 386);
    EXPECT_EQ(bar.top, 228);
    EXPECT_EQ(bar.height(), 9);
    ResolvedRect text = resolveEdgeRect(kStatusTextRect, 562, 278);
    EXPECT_EQ(text.left, 182);
    EXPECT_EQ(text.right, 540);
    EXPECT_EQ(text.height(), 18);
}
} // namespace

#include "core/menu_strip.h"

namespace {
TEST(MenuStrip, ItemsThatFitAndTheirHitTest) {
    const int widths[] = {40, 40, 40, 40};
    MenuBox boxes[4];
    EXPECT_EQ(layoutMenuStrip(widths, 4, 400, boxes), 4);
    EXPECT_EQ(boxes[0].left, 1);
    EXPECT_EQ(boxes[0].right, 45);
    EXPECT_EQ(boxes[1].left, 45);
    EXPECT_EQ(layoutMenuStrip(widths, 4, 100, boxes), 2) << "a narrow strip shows only what fits";
    EXPECT_EQ(layoutMenuStrip(widths, 4, 133, boxes), 3);

    struct Case {
        int x, y, item, anchor;
    } cases[] = {{1, 0, 0, 1},     {45, 5, 0, 1}, {46, 5, 1, 45},   {100, 19, 2, 89}, {100, 20, -1, 0},
                 {100, -1, -1, 0}, {0, 5, -1, 0}, {177, 5, 3, 133}, {178, 5, -1, 0}};
    for (const Case& c : cases) {
        int anchor = 0;
        EXPECT_EQ(menuItemAtPoint(widths, 4, 0, 0, 400, c.x, c.y, &anchor), c.item) << c.x << "," << c.y;
        if (c.item >= 0) {
            EXPECT_EQ(anchor, c.anchor);
        }
    }
    int anchor = 0;
    EXPECT_EQ(menuItemAtPoint(widths, 4, 0, 0, 100, 95, 5, &anchor), 2)
        << "the part inside a narrow strip hits";
    EXPECT_EQ(menuItemAtPoint(widths, 4, 0, 0, 100, 140, 5, &anchor), -1);
}
} // namespace
