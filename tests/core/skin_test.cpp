#include "core/command_ids.h"
#include "core/menu_strip.h"
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

TEST_F(Skin, ControlHitTestTakesBothEdgesOfEveryButton) {
    constexpr int W = 400, H = 278;
    const std::tuple<int, int, int, int> cases[] = {
        {25, H - 23, Playing, 1},   {10, H - 38, Playing, 1},  {25, H - 23, Stopped, 0},
        {25, H - 23, Paused, 0},    {10, H - 38, Stopped, 0},  {40, H - 8, Stopped, 0},
        {41, H - 8, Stopped, -1},   {43, H - 34, Stopped, 2},  {65, H - 12, Stopped, 2},
        {43, H - 11, Stopped, -1},  {79, H - 30, Stopped, 3},  {101, H - 12, Stopped, 3},
        {102, H - 20, Stopped, -1}, {104, H - 30, Stopped, 4}, {126, H - 12, Stopped, 4},
        {150, H - 30, Playing, 5},  {140, H - 34, Stopped, 5}, {104, H - 11, Stopped, -1},
        {358, 4, Stopped, 7},       {162, H - 12, Stopped, 5}, {150, H - 11, Stopped, -1},
        {340, 4, Stopped, 6},       {357, 23, Stopped, 6},     {339, 10, Stopped, -1},
        {340, 24, Stopped, -1},     {358, 10, Stopped, 7},     {376, 10, Stopped, 9},
        {393, 23, Stopped, 9},      {394, 10, Stopped, -1},    {376, 4, Stopped, 9},
        {376, 3, Stopped, -1},      {376, 24, Stopped, -1},    {200, 100, Stopped, -1},
        {25, H - 7, Stopped, -1},   {40, H - 8, Playing, 1},   {41, H - 20, Playing, -1},
        {25, H - 7, Playing, -1},   {66, H - 20, Stopped, -1}, {90, H - 11, Stopped, -1},
        {127, H - 20, Stopped, -1}, {163, H - 20, Stopped, -1}};
    for (auto [x, y, playback, row] : cases)
        EXPECT_EQ(controlAt(table, x, y, W, H, state(playback)), row) << x << "," << y;
    EXPECT_FALSE(isControlVisible(table[8], state(Playing))) << "the restore button is never shown";
}

TEST_F(Skin, EnableRules) {
    // Play, pause, stop, previous and next, as '1' for enabled; frame step and the skips follow stop.
    // Playing an empty list is playing a disc.
    const std::pair<SkinState, const char*> cases[] = {
        {state(Stopped, 0, -1), "01000"},      {state(Stopped, 1, -1), "11000"},
        {state(Playing, 0, -1), "11100"},      {state(Stopped, 2, 1), "11010"},
        {state(Stopped, 2, 1, true), "11011"}, {state(Paused, 2, 0), "11101"},
        {state(Stopped, 3, -1), "11001"}};
    const int commands[] = {CMD_PLAY_PAUSE, CMD_PAUSE,      CMD_STOP,      CMD_PREVIOUS,
                            CMD_NEXT,       CMD_FRAME_STEP, CMD_SKIP_BACK, CMD_SKIP_FORWARD};
    for (auto [s, enabled] : cases)
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(isCommandEnabled(commands[i], s), enabled[i < 5 ? i : 2] == '1') << enabled << i;
    SkinState s = state(Playing);
    EXPECT_FALSE(isCommandEnabled(CMD_FILE_OPEN_LOCATION, s));
    EXPECT_FALSE(isCommandEnabled(CMD_FILE_SNAPSHOT, s)) << "no picture to save";
    s.snapshotReady = true;
    EXPECT_TRUE(isCommandEnabled(CMD_FILE_SNAPSHOT, s));
    EXPECT_TRUE(isCommandEnabled(CMD_ZOOM_IN, s)) << "no rule: enabled";
    EXPECT_TRUE(isCommandChecked(CMD_VIEW_PLAYLIST, s));
    s.listShown = false;
    EXPECT_FALSE(isCommandChecked(CMD_VIEW_PLAYLIST, s));
    EXPECT_TRUE(isCommandChecked(CMD_LIST_LOOP, state(Stopped, 2, 0, true)));
    EXPECT_FALSE(isCommandChecked(CMD_LIST_LOOP, state(Stopped)));
    EXPECT_FALSE(isCommandChecked(CMD_STOP, s));
}

TEST_F(Skin, ImageSelectionAndTheMuteRowAtLoad) {
    // Disabled wins over hot, pressed elsewhere shows normal, and window buttons never disable.
    const std::tuple<int, SkinState, int, int> cases[] = {
        {0, state(Stopped, 0, -1), 0, 3},
        {2, state(Stopped, 0, -1, false, 2, 2), 0, 3},
        {2, state(Playing, 2, 0, false, 2), 0, 1},
        {2, state(Playing, 2, 0, false, 2, 2), 0, 2},
        {2, state(Playing, 2, 0, false, -1, 2), 0, 0},
        {5, state(Stopped, 0, -1), 1, 2},
        {5, state(Stopped, 0, -1, false, 5), 0, 1},
        {9, state(Stopped, 0, -1), 0, 0},
        {1, state(Stopped, 0, -1), 0, 0},
    };
    for (auto [row, s, latched, image] : cases) {
        SkinControl control = table[row];
        control.latched = latched;
        EXPECT_EQ(controlImage(row, control, s), image) << row << " " << latched;
    }
    fillControlTable(table, true);
    for (int row = 0; row < kControlCount; ++row)
        EXPECT_EQ(table[row].latched != 0, row == kMuteRow) << row;
}

TEST_F(Skin, FrameHitTest) {
    // A 562 x 278 frame; the seek bar's first column is no hover: its offset there is 0.
    const std::tuple<int, int, bool, int, int, int, int> cases[] = {
        {200, 10, 1, kHitCaption, -1, 0, 0},   {2, 2, 1, kHitCaption, -1, 0, 0},
        {502, 10, 1, kHitClient, 6, 0, 0},     {5, 100, 1, kHitLeft, -1, 0, 0},
        {6, 100, 1, kHitClient, -1, 0, 0},     {2, 275, 1, kHitBottomLeft, -1, 0, 0},
        {557, 100, 1, kHitRight, -1, 0, 1},    {557, 100, 0, kHitRight, -1, 0, 0},
        {556, 100, 1, kHitClient, -1, 0, 0},   {559, 275, 1, kHitBottomRight, -1, 0, 0},
        {300, 273, 1, kHitBottom, -1, 0, 0},   {300, 272, 1, kHitClient, -1, 0, 0},
        {25, 255, 1, kHitClient, 0, 0, 0},     {107, 233, 1, kHitClient, -1, 100, 0},
        {555, 237, 1, kHitClient, -1, 548, 0}, {7, 233, 1, kHitClient, -1, 0, 0}};
    for (auto [x, y, listShown, code, row, seek, resizing] : cases) {
        FrameHit hit = hitTestFrame(x, y, 562, 278, 26, listShown, table, state(Stopped), kSeekBarRect);
        EXPECT_EQ((std::vector<int>{hit.code, hit.row, hit.seekOffset, hit.resizingPlaylist}),
                  (std::vector<int>{code, row, seek, resizing}))
            << x << "," << y;
    }
    ResolvedRect text = resolveEdgeRect(kStatusTextRect, 562, 278);
    EXPECT_EQ((std::vector<int>{text.left, text.top, text.right, text.bottom}),
              (std::vector<int>{182, 246, 540, 264}));
}

TEST(MenuStrip, ItemsThatFitAndTheirHitTest) {
    const int widths[] = {40, 40, 40, 40};
    MenuBox boxes[4];
    EXPECT_EQ(layoutMenuStrip(widths, 4, 400, boxes), 4);
    EXPECT_EQ(std::tuple(boxes[0].left, boxes[0].right, boxes[1].left), std::tuple(1, 45, 45));
    EXPECT_EQ(layoutMenuStrip(widths, 4, 100, boxes), 2) << "a narrow strip shows only what fits";
    EXPECT_EQ(layoutMenuStrip(widths, 4, 133, boxes), 3);
    const std::tuple<int, int, int, int, int> cases[] = {
        {400, 1, 0, 0, 1},     {400, 45, 5, 0, 1},    {400, 46, 5, 1, 45}, {400, 100, 19, 2, 89},
        {400, 100, 20, -1, 0}, {400, 100, -1, -1, 0}, {400, 0, 5, -1, 0},  {400, 177, 5, 3, 133},
        {400, 178, 5, -1, 0},  {100, 95, 5, 2, 89},   {100, 140, 5, -1, 0}}; // inside a narrow strip
    for (auto [right, x, y, item, left] : cases) {
        int anchor = 0;
        EXPECT_EQ(menuItemAtPoint(widths, 4, 0, 0, right, x, y, &anchor), item) << x << "," << y;
        EXPECT_EQ(anchor, left) << x << "," << y;
    }
    EXPECT_EQ(menuItemAtPoint(widths, 3, 0, 0, 400, 150, 5, nullptr), -1) << "only the items given";
}
} // namespace
