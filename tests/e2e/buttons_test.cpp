// The skinned buttons and the tray, driven with the messages a mouse produces.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// The mouse over a window point of the player: the frame's hit test learns where it is.
void pointAt(const Player& player, int x, int y) {
    RECT r = player.windowRect();
    SendMessageW(player.main(), WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
}

void press(const Player& player) {
    SendMessageW(player.main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
}
void release(const Player& player) {
    SendMessageW(player.main(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// Posted commands run after the sends that follow them: wait for their effect.
template <class F> bool eventually(F done) {
    for (int i = 0; i < 200 && !done(); ++i)
        Sleep(20);
    return done();
}

std::string threeClips() {
    std::string clip = ansi(mediaPath(L"silent640.avi"));
    return "#EXTM3U\r\n" + clip + "\r\n" + clip + "\r\n" + clip;
}

TEST(Buttons, ReleasingAfterMovingOffStillRunsTheCommand) {
    Player player("[PLAYLIST]\r\nIndex=0\r\n", {{L"default.m3u", threeClips()}});
    ASSERT_TRUE(player.started());
    Sleep(150);
    int height = player.windowRect().bottom - player.windowRect().top;
    pointAt(player, 115, height - 23); // the Next button
    press(player);
    pointAt(player, 200, 100); // off the button, over the video
    release(player);
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"1");
}

TEST(Buttons, ADoubleClickRunsTheCommandOnce) {
    Player player("[PLAYLIST]\r\nIndex=0\r\n", {{L"default.m3u", threeClips()}});
    ASSERT_TRUE(player.started());
    Sleep(150);
    int height = player.windowRect().bottom - player.windowRect().top;
    pointAt(player, 115, height - 23);
    press(player);
    release(player);
    ASSERT_TRUE(player.roundTrip());
    pointAt(player, 115, height - 23);
    SendMessageW(player.main(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    release(player);
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"1");
}

TEST(Buttons, MinimiseGoesToTheTrayAndAClickOnTheIconComesBack) {
    Player player;
    ASSERT_TRUE(player.started());
    int width = player.windowRect().right - player.windowRect().left;
    pointAt(player, width - 55, 10);
    press(player);
    release(player);
    EXPECT_TRUE(eventually([&] { return !IsWindowVisible(player.main()); }));
    SendMessageW(player.main(), WM_USER + 100, 1, WM_RBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(player.main())) << "only a left click brings it back";
    SendMessageW(player.main(), WM_USER + 100, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(player.main()));
    EXPECT_FALSE(IsIconic(player.main()));
    EXPECT_EQ(width, player.windowRect().right - player.windowRect().left);
}

TEST(Buttons, ClosingWhileInTheTrayEndsCleanly) {
    Player player;
    ASSERT_TRUE(player.started());
    PostMessageW(player.main(), WM_COMMAND, MAKEWPARAM(44001, 0), 0);
    EXPECT_TRUE(eventually([&] { return !IsWindowVisible(player.main()); }));
    EXPECT_EQ(player.close(), 0);
}

TEST(Buttons, TheCloseButtonEndsTheProgram) {
    Player player;
    ASSERT_TRUE(player.started());
    int width = player.windowRect().right - player.windowRect().left;
    pointAt(player, width - 20, 10);
    press(player);
    release(player);
    EXPECT_EQ(player.waitForExit(10000), 0);
}
} // namespace
