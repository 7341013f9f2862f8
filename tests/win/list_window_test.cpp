// The docked list window of the test process: its rows, keys, pointer and menu, through the
// system's input where a person would use it.
#include "support.h"

#include "app/shell.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/menu_bar.h"
#include "win32/wide.h"

#include <gtest/gtest.h>

#include <string>

namespace {
COLORREF clientPixel(int x, int y) {
    HDC dc = GetDC(playlistWindow);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(playlistWindow, dc);
    return c;
}

// The pointer of the system, moved and pressed as a person does.
void pointerTo(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    pumpMessages(30);
}

void leftButton(bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    pumpMessages(30);
}

RECT client() {
    RECT r;
    GetClientRect(playlistWindow, &r);
    return r;
}

class ListWindow : public testing::Test {
protected:
    void SetUp() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
        mainList.top = 0;
        for (int i = 0; i < 30; ++i)
            AppendEntry(mainList, u"C:\\music\\song" + std::u16string(1, char16_t(u'a' + i % 26)) + u".mp3");
        RedrawList();
    }
    void TearDown() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
        mainList.top = 0;
        pressedPart = hotPart = PartNone;
        RedrawList();
    }
    static int rows() { return (client().bottom - kListTop) / kRowHeight; }
};

TEST_F(ListWindow, RowsAreStripedByTheirPlaceAndFormatTheirTimeOnce) {
    for (int top : {0, 1}) {
        ScrollTo(top);
        EXPECT_EQ(clientPixel(1, kListTop + 7), RGB(0, 111, 198)) << "first visible row, top " << top;
        EXPECT_EQ(clientPixel(1, kListTop + kRowHeight + 7), RGB(0, 96, 182)) << "second visible row";
    }
    mainList.selected = mainList.top;
    RedrawList();
    EXPECT_EQ(clientPixel(1, kListTop + 7), RGB(0, 204, 102)) << "the selected row";
    ScrollTo(0);
    // As opening an entry does: a new length, and the cached text emptied.
    mainList.entries[1]->duration = 245;
    mainList.entries[1]->timeText[0] = 0;
    RedrawList();
    EXPECT_STREQ(mainList.entries[0]->timeText, "--:--") << "never played";
    EXPECT_STREQ(mainList.entries[1]->timeText, "04:05");
    mainList.entries[1]->duration = 5;
    RedrawList();
    EXPECT_STREQ(mainList.entries[1]->timeText, "04:05") << "cached until the entry is opened again";
    int magenta = 0;
    for (int y = kListTop; y < client().bottom; ++y)
        for (int x = client().right - 15; x < client().right; ++x)
            magenta += clientPixel(x, y) == RGB(255, 0, 255);
    EXPECT_EQ(magenta, 0) << "the scroll bar's glyphs let its face show through their magenta";
}

TEST_F(ListWindow, KeysAndClicksSelectAndTheSelectedRowIsWhollyInView) {
    mainList.selected = -1;
    SendMessageW(playlistWindow, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(mainList.selected, 0) << "any key selects the first row";
    for (int i = 1; i < 29; ++i) {
        SendMessageW(playlistWindow, WM_KEYDOWN, VK_DOWN, 0);
        ASSERT_EQ(mainList.selected, i);
        ASSERT_LT(mainList.selected, mainList.top + rows()) << "the selected row is wholly in view";
    }
    SendMessageW(playlistWindow, WM_KEYDOWN, VK_HOME, 0);
    SendMessageW(playlistWindow, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(mainList.selected, rows());
    SendMessageW(playlistWindow, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(mainList.selected, 29);
    SendMessageW(playlistWindow, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(mainList.top, 0);

    ClearPlaylist(mainList);
    AppendEntry(mainList, asU16(mediaPath(L"silent320.avi").c_str()));
    AppendEntry(mainList, asU16(mediaPath(L"silent640.avi").c_str()));
    RedrawList();
    SendMessageW(playlistWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, kListTop + kRowHeight + 3));
    EXPECT_EQ(mainList.selected, 1);
    SendMessageW(playlistWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, kListTop + 10 * kRowHeight));
    EXPECT_EQ(mainList.selected, 1) << "below the last entry nothing changes";
    SendMessageW(playlistWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(mainList.current, 1) << "a double click plays the selected entry";
    EXPECT_EQ(playbackState, Playing);
}

TEST_F(ListWindow, TheWheelAndAHeldScrollButtonScroll) {
    wheelRemainder = 0;
    for (auto [delta, top] : {std::pair{-120, 1}, {60, 1}, {60, 0}}) {
        SendMessageW(playlistWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        EXPECT_EQ(mainList.top, top) << "a row a notch";
    }
    pointerTo(playlistWindow, client().right - 5, client().bottom - 5); // the down button
    leftButton(true);
    EXPECT_EQ(mainList.top, 0) << "nothing scrolls at the press";
    pumpMessages(350);
    int top = mainList.top;
    EXPECT_GE(top, 1) << "held, it scrolls a row each tick";
    EXPECT_LE(top, 5);
    pointerTo(mainWindow, 40, 40);
    leftButton(false);
    top = mainList.top;
    pumpMessages(400);
    EXPECT_EQ(mainList.top, top) << "released away from the button, the press has ended";
    EXPECT_EQ(pressedPart, PartNone);
}

TEST_F(ListWindow, WhatThePointerRestsOnStaysLitUntilItLeaves) {
    pointerTo(playlistWindow, 10, 5);
    ASSERT_EQ(listMenuHotItem, 0);
    pumpMessages(500);
    EXPECT_EQ(listMenuHotItem, 0) << "resting on the strip's first title";
    pointerTo(playlistWindow, client().right - 5, client().bottom - 5);
    ASSERT_EQ(hotPart, PartDown);
    EXPECT_EQ(listMenuHotItem, -1);
    pumpMessages(500);
    EXPECT_EQ(hotPart, PartDown) << "resting on the down button";
    pointerTo(mainWindow, 40, 40); // over the video
    EXPECT_TRUE(eventually([] { return hotPart == PartNone; }, 1000)) << "gone once the pointer left";
}

TEST_F(ListWindow, TheLeftEdgeStopsRightOfTheSmallestVideo) {
    RECT before;
    GetWindowRect(playlistWindow, &before);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&before), 2);
    SetWindowPos(playlistWindow, nullptr, 200, 0, before.right - 200, before.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after;
    GetWindowRect(playlistWindow, &after);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&after), 2);
    EXPECT_EQ(after.left, 320);
    EXPECT_EQ(after.right, before.right);
    SetWindowPos(playlistWindow, nullptr, before.left, 0, before.right - before.left, before.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Runs while a popup's own loop is open: looks at the menu, then closes it.
bool loopChecked;
void CALLBACK lookAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    loopChecked = (GetMenuState(listMenu, 45004, MF_BYCOMMAND) & MF_CHECKED) != 0;
    EndMenu();
}

TEST_F(ListWindow, TheLoopItemIsCheckedExactlyWhenLoopingAsThePopupOpens) {
    for (bool loop : {true, false, true}) {
        loopFlag = loop;
        SendMessageW(playlistWindow, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
        ASSERT_EQ(listMenuHotItem, 0);
        loopChecked = !loop;
        SetTimer(nullptr, 0, 100, lookAndClose);
        SendMessageW(playlistWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
        EXPECT_EQ(loopChecked, loop);
        EXPECT_EQ(menuOpenItem, -1) << "the popup has closed";
    }
    loopFlag = false;
}
} // namespace
