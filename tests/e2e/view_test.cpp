// View modes and geometry of the running player with real media.
#include "player.h"

#include <gtest/gtest.h>

#include <string>

namespace {
int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}

// A player with one clip in its list, started playing.
struct Playing {
    Player player;
    explicit Playing(const wchar_t* clip)
        : player("[PLAYLIST]\r\nIndex=0\r\n", {{L"default.m3u", "#EXTM3U\r\n" + ansi(mediaPath(clip))}}) {
        player.listShown();
        SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(42001, 0), 0);
    }
    RECT display() const { return player.childRect(L"Zon Display"); }
};

TEST(View, AVideoFitsTheWindowAndFullScreenGoesBackToIt) {
    Playing p(L"silent640.avi");
    Player& player = p.player;
    ASSERT_TRUE(player.started());
    EXPECT_EQ(width(p.display()), 640);
    EXPECT_EQ(height(p.display()), 360);
    EXPECT_EQ(width(player.windowRect()), 640 + 14 + 228);

    player.activate();
    player.postKey(WM_SYSKEYDOWN, VK_RETURN, true);
    ASSERT_TRUE(eventually([&] { return p.display().top == 0; }));
    EXPECT_FALSE(IsWindowVisible(player.child(L"Zon PlayList")));
    EXPECT_GE(width(player.windowRect()), GetSystemMetrics(SM_CXSCREEN) - 16);
    player.postKey(WM_SYSKEYDOWN, VK_RETURN, true);
    ASSERT_TRUE(eventually([&] { return p.display().top == 22; }));
    EXPECT_TRUE(IsWindowVisible(player.child(L"Zon PlayList")));
    EXPECT_EQ(width(p.display()), 640);

    // Fifty per cent from full screen leaves it, at the smallest video area.
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(41002, 0), 0);
    ASSERT_EQ(p.display().top, 0);
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(41013, 0), 0);
    EXPECT_EQ(p.display().top, 22);
    EXPECT_EQ(width(p.display()), 320);
    EXPECT_EQ(height(p.display()), 180);
    EXPECT_EQ(player.close(), 0);
}

TEST(View, TogglingTheListChangesOnlyTheWindowsWidth) {
    Player player;
    ASSERT_TRUE(player.started());
    RECT before = player.windowRect(), video = player.childRect(L"Zon Display");
    for (bool shown : {false, true}) {
        SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(41001, 0), 0);
        EXPECT_EQ(width(player.windowRect()), width(before) - (shown ? 0 : 228));
        EXPECT_EQ(player.windowRect().left, before.left);
        EXPECT_EQ(IsWindowVisible(player.child(L"Zon PlayList")) != FALSE, shown);
        RECT now = player.childRect(L"Zon Display");
        EXPECT_TRUE(EqualRect(&video, &now));
    }
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(readSetting(player.settingsPath(), L"WINDOW", L"Playlist.Visible"), L"1");
}

TEST(View, AnAudioOnlyFileKeepsTheSmallestVideoArea) {
    Playing p(L"tone.wav");
    Player& player = p.player;
    ASSERT_TRUE(player.started());
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(width(p.display()), 320);
    EXPECT_EQ(height(p.display()), 180);
    EXPECT_EQ(FindWindowExW(player.child(L"Zon Display"), nullptr, nullptr, nullptr), nullptr)
        << "no video window";
    EXPECT_EQ(player.close(), 0);
}
} // namespace
