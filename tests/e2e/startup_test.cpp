// The program as a user starts it: its window, its settings file, its keys, its exit.
#include "player.h"

#include <gtest/gtest.h>

namespace {
int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}

TEST(Startup, WithoutSettingsTheWindowIsCentredWithTheListShown) {
    Player player;
    ASSERT_TRUE(player.started());
    RECT r = player.windowRect();
    EXPECT_EQ(width(r), 562);
    EXPECT_EQ(height(r), 278);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 562) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 278) / 2);

    // The children exist with their classes and are placed in the client area.
    RECT list = player.childRect(L"Zon PlayList");
    RECT display = player.childRect(L"Zon Display");
    EXPECT_EQ(list.left, 320);
    EXPECT_EQ(list.top, 0);
    EXPECT_EQ(width(list), 228);
    EXPECT_EQ(height(list), 202);
    EXPECT_TRUE(IsWindowVisible(player.child(L"Zon PlayList")));
    EXPECT_EQ(display.left, 0);
    EXPECT_EQ(display.top, 22);
    EXPECT_EQ(width(display), 320);
    EXPECT_EQ(height(display), 180);

    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(readSetting(player.settingsPath(), L"window", L"player.left"), L"(absent)");
    EXPECT_EQ(readSetting(player.settingsPath(), L"window", L"player.top"), L"(absent)");
}

TEST(Startup, WindowSizeFollowsTheListSettings) {
    struct Case {
        const char* settings;
        int width;
        bool listVisible;
        int listWidth;
    } cases[] = {
        {"[window]\r\nplaylist.visible=0\r\nplaylist.width=300\r\n", 334, false, 0},
        {"[WINDOW]\r\nPlaylist.Width=300\r\nPlaylist.Visible=1\r\n", 634, true, 300},
        // Unreadable or impossible values fall back to something the window can show.
        {"[window]\r\nplaylist.width=junk\r\n", 434, true, 100},
        {"[window]\r\nplaylist.width=-40\r\n", 434, true, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        Player player(c.settings);
        ASSERT_TRUE(player.started());
        EXPECT_EQ(width(player.windowRect()), c.width);
        EXPECT_EQ(height(player.windowRect()), 278);
        EXPECT_EQ(IsWindowVisible(player.child(L"Zon PlayList")) != FALSE, c.listVisible);
        if (c.listVisible) {
            EXPECT_EQ(width(player.childRect(L"Zon PlayList")), c.listWidth);
        }
        EXPECT_EQ(width(player.childRect(L"Zon Display")), 320) << "the video area keeps its size";
        EXPECT_EQ(player.close(), 0);
    }
}

TEST(Startup, StoredPositionIsUsedAndNeverWritten) {
    Player player("[window]\r\nplayer.left=0\r\nplayer.top=0\r\n");
    ASSERT_TRUE(player.started());
    RECT r = player.windowRect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    // Moving the window does not make the program remember it.
    SetWindowPos(player.main(), nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(readSetting(player.settingsPath(), L"window", L"player.left"), L"0");
    EXPECT_EQ(readSetting(player.settingsPath(), L"window", L"player.top"), L"0");
}

TEST(Keys, AltF4ClosesWithExitCodeZero) {
    Player player;
    ASSERT_TRUE(player.started());
    player.activate();
    player.postKey(WM_SYSKEYDOWN, VK_F4, true);
    EXPECT_EQ(player.waitForExit(10000), 0);
}

TEST(Keys, F10AndAltXDoNothing) {
    Player player;
    ASSERT_TRUE(player.started());
    player.activate();
    RECT before = player.windowRect();
    player.postKey(WM_SYSKEYDOWN, VK_F10, false);
    player.postKey(WM_SYSKEYDOWN, 'X', true);
    player.postKey(WM_SYSKEYDOWN, VK_SPACE, true); // the system menu would open on Alt+Space
    ASSERT_TRUE(player.roundTrip());
    Sleep(200);
    ASSERT_TRUE(player.roundTrip());
    EXPECT_TRUE(player.running());
    RECT after = player.windowRect();
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(GetForegroundWindow(), player.main()) << "no menu or dialog took over";
    EXPECT_EQ(player.close(), 0);
}

TEST(Commands, ExitCommandEndsTheProgram) {
    Player player;
    ASSERT_TRUE(player.started());
    PostMessageW(player.main(), WM_COMMAND, MAKEWPARAM(40099, 0), 0);
    EXPECT_EQ(player.waitForExit(10000), 0);
}
} // namespace
