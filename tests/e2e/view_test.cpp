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

template <class F> bool eventually(F done) {
    for (int i = 0; i < 150 && !done(); ++i)
        Sleep(20);
    return done();
}

// A player with one clip in its list, started playing.
struct Playing {
    Player player;
    explicit Playing(const wchar_t* clip)
        : player("[PLAYLIST]\r\nIndex=0\r\n", {{L"default.m3u", "#EXTM3U\r\n" + ansi(mediaPath(clip))}}) {
        Sleep(150);
        SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(42001, 0), 0);
    }
};

TEST(View, OpeningAVideoFitsTheWindowAndFullScreenTogglesBack) {
    Playing p(L"silent640.avi");
    Player& player = p.player;
    ASSERT_TRUE(player.started());
    RECT display = player.childRect(L"Zon Display");
    EXPECT_EQ(width(display), 640);
    EXPECT_EQ(height(display), 360);
    RECT window = player.windowRect();
    EXPECT_EQ(width(window), 640 + 14 + 228);

    player.activate();
    player.postKey(WM_SYSKEYDOWN, VK_RETURN, true);
    ASSERT_TRUE(eventually([&] { return player.childRect(L"Zon Display").top == 0; }));
    EXPECT_FALSE(IsWindowVisible(player.child(L"Zon PlayList")));
    RECT full = player.windowRect();
    EXPECT_GE(width(full), GetSystemMetrics(SM_CXSCREEN) - 16);

    player.postKey(WM_SYSKEYDOWN, VK_RETURN, true);
    ASSERT_TRUE(eventually([&] { return player.childRect(L"Zon Display").top == 22; }));
    EXPECT_TRUE(IsWindowVisible(player.child(L"Zon PlayList")));
    EXPECT_EQ(width(player.childRect(L"Zon Display")), 640);
    EXPECT_EQ(player.close(), 0);
}

TEST(View, FiftyPercentLeavesFullScreen) {
    Playing p(L"silent640.avi");
    Player& player = p.player;
    ASSERT_TRUE(player.started());
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(41002, 0), 0);
    ASSERT_EQ(player.childRect(L"Zon Display").top, 0);
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(41013, 0), 0);
    EXPECT_EQ(player.childRect(L"Zon Display").top, 22);
    EXPECT_EQ(width(player.childRect(L"Zon Display")), 320);
    EXPECT_EQ(height(player.childRect(L"Zon Display")), 180);
    EXPECT_EQ(player.close(), 0);
}

TEST(View, TogglingTheListChangesOnlyTheWindowsWidth) {
    Player player;
    ASSERT_TRUE(player.started());
    RECT before = player.windowRect(), video = player.childRect(L"Zon Display");
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(41001, 0), 0);
    EXPECT_EQ(width(player.windowRect()), width(before) - 228);
    EXPECT_EQ(player.windowRect().left, before.left);
    EXPECT_FALSE(IsWindowVisible(player.child(L"Zon PlayList")));
    RECT hiddenVideo = player.childRect(L"Zon Display");
    EXPECT_TRUE(EqualRect(&video, &hiddenVideo));
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(41001, 0), 0);
    EXPECT_EQ(width(player.windowRect()), width(before));
    EXPECT_TRUE(IsWindowVisible(player.child(L"Zon PlayList")));
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(readSetting(player.settingsPath(), L"WINDOW", L"Playlist.Visible"), L"1");
}

TEST(View, ZoomKeysShowThePercentage) {
    Playing p(L"silent640.avi");
    Player& player = p.player;
    ASSERT_TRUE(player.started());
    player.activate();
    player.postKey(WM_KEYDOWN, VK_OEM_PLUS, false);
    ASSERT_TRUE(player.roundTrip());
    DWORD pid = 0;
    GetWindowThreadProcessId(player.main(), &pid);
    HWND hint = nullptr;
    ASSERT_TRUE(eventually([&] {
        hint = FindWindowW(L"Zon Hint", nullptr);
        return hint != nullptr && IsWindowVisible(hint);
    }));
    RECT display, box;
    GetWindowRect(player.child(L"Zon Display"), &display);
    GetWindowRect(hint, &box);
    EXPECT_EQ(box.top, display.top + 12);
    EXPECT_EQ(box.left, display.left + 16);
    EXPECT_TRUE(eventually([&] { return !IsWindowVisible(hint); })) << "gone after 2.5 s";
    EXPECT_EQ(player.close(), 0);
}

TEST(View, AnAudioOnlyFileKeepsTheSmallestVideoArea) {
    Playing p(L"tone.wav");
    Player& player = p.player;
    ASSERT_TRUE(player.started());
    ASSERT_TRUE(player.roundTrip());
    RECT display = player.childRect(L"Zon Display");
    EXPECT_EQ(width(display), 320);
    EXPECT_EQ(height(display), 180);
    EXPECT_EQ(FindWindowExW(player.child(L"Zon Display"), nullptr, nullptr, nullptr), nullptr)
        << "no video window";
    EXPECT_TRUE(player.running());
    EXPECT_EQ(player.close(), 0);
}
} // namespace
