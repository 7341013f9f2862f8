// The docked list as the user sees it: read back from the screen.
#include "player.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr COLORREF kFirstStripe = RGB(0, 111, 198);
constexpr COLORREF kSelected = RGB(0, 204, 102);

// Read from the screen: another process's window contents cannot be read through its own DC.
COLORREF listPixel(const Player& player, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(player.child(L"Zon PlayList"), &p);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

std::string clips(int n) {
    std::string text = "#EXTM3U";
    for (int i = 0; i < n; ++i)
        text += "\r\n" + ansi(mediaPath(L"silent640.avi"));
    return text;
}

TEST(ListWindowEndToEnd, KeysThatAreNotShortcutsReachTheList) {
    Player player("", {{L"default.m3u", clips(3)}});
    ASSERT_TRUE(player.started());
    Sleep(150);
    player.activate();
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(listPixel(player, 1, 22 + 7), kFirstStripe);
    player.postKey(WM_KEYDOWN, VK_DOWN, false); // with nothing selected, the first row
    ASSERT_TRUE(player.roundTrip());
    Sleep(50);
    EXPECT_EQ(listPixel(player, 1, 22 + 7), kSelected);
    player.postKey(WM_KEYDOWN, VK_DOWN, false);
    Sleep(50);
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(listPixel(player, 1, 22 + 14 + 7), kSelected);
    EXPECT_EQ(listPixel(player, 1, 22 + 7), kFirstStripe);
    EXPECT_EQ(player.close(), 0);
}

TEST(ListWindowEndToEnd, ADoubleClickPlaysTheSelectedEntry) {
    Player player("", {{L"default.m3u", clips(3)}});
    ASSERT_TRUE(player.started());
    Sleep(150);
    HWND list = player.child(L"Zon PlayList");
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 22 + 2 * 14 + 3));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(20, 22 + 2 * 14 + 3));
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 22 + 2 * 14 + 3));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"2");
}
} // namespace
