// The skinned buttons and the tray, driven with the messages a mouse produces.
#include "player.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// The mouse over a window point of the player: the frame's hit test learns where it is.
void pointAt(const Player& player, int x, int y) {
    RECT r = player.windowRect();
    SendMessageW(player.main(), WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
}

void press(const Player& player, UINT message = WM_LBUTTONDOWN) {
    SendMessageW(player.main(), message, MK_LBUTTON, MAKELPARAM(5, 5));
}
void release(const Player& player) {
    SendMessageW(player.main(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST(Buttons, ACommandRunsOnceOnTheReleaseWhereverThePointerWent) {
    std::string clip = ansi(mediaPath(L"silent640.avi"));
    struct Case {
        const char* name;
        bool doubleClick, moveOff;
        const wchar_t* index;
    } cases[] = {{"moved off before the release", false, true, L"1"}, {"a double click", true, false, L"1"}};
    for (const Case& c : cases) {
        Player player("[PLAYLIST]\r\nIndex=0\r\n",
                      {{L"default.m3u", "#EXTM3U\r\n" + clip + "\r\n" + clip + "\r\n" + clip}});
        ASSERT_TRUE(player.started());
        ASSERT_TRUE(player.listShown());
        int height = player.windowRect().bottom - player.windowRect().top;
        for (int click = 0; click < (c.doubleClick ? 2 : 1); ++click) {
            UINT message = click == 0 ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK;
            pointAt(player, 115, height - 23); // the Next button
            press(player, message);
            if (c.moveOff)
                pointAt(player, 200, 100); // over the video
            release(player);
        }
        ASSERT_TRUE(player.roundTrip());
        EXPECT_EQ(player.close(), 0);
        EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), c.index) << c.name;
    }
}

TEST(Buttons, MinimiseGoesToTheTrayAndOnlyALeftClickOnTheIconComesBack) {
    for (bool comeBack : {true, false}) {
        Player player;
        ASSERT_TRUE(player.started());
        int width = player.windowRect().right - player.windowRect().left;
        pointAt(player, width - 55, 10);
        press(player);
        release(player);
        EXPECT_TRUE(eventually([&] { return !IsWindowVisible(player.main()); }));
        if (comeBack) {
            SendMessageW(player.main(), WM_USER + 100, 1, WM_RBUTTONDOWN);
            EXPECT_FALSE(IsWindowVisible(player.main())) << "a right click does not";
            SendMessageW(player.main(), WM_USER + 100, 1, WM_LBUTTONDOWN);
            EXPECT_TRUE(IsWindowVisible(player.main()));
            EXPECT_FALSE(IsIconic(player.main()));
            EXPECT_EQ(width, player.windowRect().right - player.windowRect().left);
        }
        EXPECT_EQ(player.close(), 0) << "closing from the tray ends cleanly";
    }
}
} // namespace
