// The program as a user starts and ends it: its window, its settings file, its keys, its exit.
#include "player.h"

#include <gtest/gtest.h>

namespace {
int width(const RECT& r) {
    return r.right - r.left;
}

TEST(Startup, TheWindowFollowsItsSettingsAndNeverWritesItsPlace) {
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        const char* settings;
        int left, top; // -1: centred
        int width;
        bool listShown;
        int listWidth;
    } cases[] = {
        {"", -1, -1, 562, true, 228},
        {"[window]\r\nplaylist.visible=0\r\nplaylist.width=300\r\n", -1, -1, 334, false, 0},
        {"[WINDOW]\r\nPlaylist.Width=300\r\nPlaylist.Visible=1\r\n", -1, -1, 634, true, 300},
        // Unreadable or impossible values fall back to something the window can show.
        {"[window]\r\nplaylist.width=junk\r\n", -1, -1, 434, true, 100},
        {"[window]\r\nplaylist.width=-40\r\nplayer.left=0\r\nplayer.top=0\r\n", 0, 0, 434, true, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        Player player(c.settings);
        ASSERT_TRUE(player.started());
        RECT r = player.windowRect();
        EXPECT_EQ(width(r), c.width);
        EXPECT_EQ(r.bottom - r.top, 278);
        EXPECT_EQ(r.left, c.left >= 0 ? c.left : (screenW - c.width) / 2);
        EXPECT_EQ(r.top, c.top >= 0 ? c.top : (screenH - 278) / 2);
        EXPECT_EQ(IsWindowVisible(player.child(L"Zon PlayList")) != FALSE, c.listShown);
        if (c.listShown) {
            RECT list = player.childRect(L"Zon PlayList");
            EXPECT_EQ(list.left, 320);
            EXPECT_EQ(width(list), c.listWidth);
            EXPECT_EQ(list.bottom - list.top, 202);
        }
        RECT display = player.childRect(L"Zon Display");
        EXPECT_EQ(display.top, 22) << "below the menu strip";
        EXPECT_EQ(width(display), 320) << "the video area keeps its size";
        // Moving the window does not make the program remember it.
        SetWindowPos(player.main(), nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(player.close(), 0);
        std::wstring left = c.left >= 0 ? std::to_wstring(c.left) : L"(absent)";
        EXPECT_EQ(readSetting(player.settingsPath(), L"window", L"player.left"), left);
    }
}

TEST(Keys, AltF4TheExitCommandAndTheCloseButtonEndTheProgram) {
    for (int way = 0; way < 3; ++way) {
        Player player;
        ASSERT_TRUE(player.started());
        player.activate();
        if (way == 0) {
            player.postKey(WM_SYSKEYDOWN, VK_F4, true);
        } else if (way == 1) {
            PostMessageW(player.main(), WM_COMMAND, MAKEWPARAM(40099, 0), 0);
        } else {
            RECT r = player.windowRect();
            SendMessageW(player.main(), WM_NCHITTEST, 0, MAKELPARAM(r.right - 20, r.top + 10));
            SendMessageW(player.main(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageW(player.main(), WM_LBUTTONUP, 0, 0);
        }
        EXPECT_EQ(player.waitForExit(10000), 0) << "way " << way;
    }
}
} // namespace
