// The docked list window of the test process: its pixels, its keys, its mouse and its border.
#include "support.h"

#include "app/shell.h"
#include "win32/wide.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/menu_bar.h"
#include "skin/scroll_bar.h"
#include "skin/skin.h"

#include <gtest/gtest.h>

#include <string>

namespace {
COLORREF clientPixel(int x, int y) {
    HDC dc = GetDC(playlistWindow);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(playlistWindow, dc);
    return c;
}

class ListWindow : public testing::Test {
protected:
    void SetUp() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
        mainList.top = 0;
        for (int i = 0; i < 30; ++i) {
            std::wstring p = L"C:\\music\\song" + std::to_wstring(i) + L".mp3";
            AppendEntry(mainList, asU16(p.c_str()));
        }
        RedrawList();
    }
    void TearDown() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
        mainList.top = 0;
        pressedPart = hotPart = PartNone;
        RedrawList();
    }
    static int rows() {
        RECT r;
        GetClientRect(playlistWindow, &r);
        return (r.bottom - kListTop) / kRowHeight;
    }
};

TEST_F(ListWindow, StripesFollowTheScreenNotTheIndex) {
    for (int top : {0, 1, 2}) {
        ScrollTo(top);
        EXPECT_EQ(clientPixel(1, kListTop + 7), RGB(0, 111, 198)) << "first visible row, top " << top;
        EXPECT_EQ(clientPixel(1, kListTop + kRowHeight + 7), RGB(0, 96, 182)) << "second visible row";
    }
    mainList.selected = 2;
    RedrawList();
    EXPECT_EQ(clientPixel(1, kListTop + 7), RGB(0, 204, 102)) << "the selected row";
    mainList.selected = -1;
}

TEST_F(ListWindow, RowsFormatTheirTimeOnce) {
    // As opening an entry does: a new length, and the cached text emptied.
    mainList.entries[1]->duration = 245;
    mainList.entries[1]->timeText[0] = 0;
    mainList.entries[2]->duration = 36000;
    mainList.entries[2]->timeText[0] = 0;
    RedrawList();
    EXPECT_STREQ(mainList.entries[0]->timeText, "--:--") << "never played";
    EXPECT_STREQ(mainList.entries[1]->timeText, "04:05");
    EXPECT_STREQ(mainList.entries[2]->timeText, "!!:!!");
    mainList.entries[1]->duration = 5;
    RedrawList();
    EXPECT_STREQ(mainList.entries[1]->timeText, "04:05") << "cached until the entry is opened again";
}

TEST_F(ListWindow, TheBorderLines) {
    RedrawWindow(playlistWindow, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetWindowDC(playlistWindow);
    EXPECT_EQ(GetPixel(dc, 0, 50), RGB(0, 170, 255));
    EXPECT_EQ(GetPixel(dc, 1, 50), RGB(0, 51, 204));
    EXPECT_EQ(GetPixel(dc, 2, 50), RGB(0, 170, 255));
    ReleaseDC(playlistWindow, dc);
}

TEST_F(ListWindow, ScrollBarGlyphsLetTheFaceShowThroughTheirMagenta) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 15, 100);
    HGDIOBJ old = SelectObject(dc, bitmap);
    drawScrollBar(dc, 0, 0, 15, 100, 30, 40, PartNone, PartNone);
    int magenta = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 15; ++x)
            magenta += GetPixel(dc, x, y) == RGB(255, 0, 255);
    EXPECT_EQ(magenta, 0);
    EXPECT_EQ(GetPixel(dc, 1, 1), GetPixel(skinScrollBar.dc, 1, 1))
        << "the up button's face around its arrow";
    EXPECT_EQ(GetPixel(dc, 7, 20), GetPixel(skinScrollBar.dc, 7, 60 + 5)) << "the track";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST_F(ListWindow, KeysMoveTheSelection) {
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
    EXPECT_GT(mainList.top, 0) << "the selection is brought into view";
    SendMessageW(playlistWindow, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(mainList.selected, 29);
    SendMessageW(playlistWindow, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(mainList.selected, 0);
    EXPECT_EQ(mainList.top, 0);
}

TEST_F(ListWindow, TheWheelScrollsOneRowPerNotch) {
    wheelRemainder = 0;
    SendMessageW(playlistWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(mainList.top, 1);
    SendMessageW(playlistWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    EXPECT_EQ(mainList.top, 1);
    SendMessageW(playlistWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    EXPECT_EQ(mainList.top, 0);
}

TEST_F(ListWindow, ScrollButtonsRepeatEveryTenthOfASecond) {
    RECT r;
    GetClientRect(playlistWindow, &r);
    int x = r.right - 5, y = r.bottom - 5; // the down button
    SendMessageW(playlistWindow, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    EXPECT_EQ(hotPart, PartDown);
    SendMessageW(playlistWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    EXPECT_EQ(mainList.top, 0) << "nothing scrolls at the press";
    pumpMessages(350);
    int scrolled = mainList.top;
    EXPECT_GE(scrolled, 1) << "held, it scrolls a row each tick";
    EXPECT_LE(scrolled, 4);
    SendMessageW(playlistWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    pumpMessages(250);
    EXPECT_EQ(mainList.top, scrolled) << "releasing stops the repeat";

    SendMessageW(playlistWindow, WM_MOUSEMOVE, 0, MAKELPARAM(x, kListTop + 40));
    int trackY = kListTop + 60;
    SendMessageW(playlistWindow, WM_MOUSEMOVE, 0, MAKELPARAM(x, trackY));
    if (hotPart == PartNone) {
        SendMessageW(playlistWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, trackY));
        EXPECT_EQ(mainList.top, clampTop(ThumbToTop(trackY), mainList.count()))
            << "a track press jumps there";
        SendMessageW(playlistWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, trackY));
    }
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

TEST_F(ListWindow, WhatThePointerRestsOnStaysLitUntilItLeaves) {
    RECT r;
    GetClientRect(playlistWindow, &r);
    pointerTo(playlistWindow, 10, 5);
    ASSERT_EQ(listMenuHotItem, 0);
    pumpMessages(500);
    EXPECT_EQ(listMenuHotItem, 0) << "resting on the strip's first title";
    pointerTo(playlistWindow, r.right - 5, r.bottom - 5);
    ASSERT_EQ(hotPart, PartDown);
    EXPECT_EQ(listMenuHotItem, -1);
    pumpMessages(500);
    EXPECT_EQ(hotPart, PartDown) << "resting on the down button";
    pointerTo(mainWindow, 40, 40); // over the video
    EXPECT_TRUE(pumpUntil([] { return hotPart == PartNone; }, 1000)) << "gone once the pointer left";
}

TEST_F(ListWindow, AScrollButtonReleasedOutsideTheListStopsRepeating) {
    RECT r;
    GetClientRect(playlistWindow, &r);
    pointerTo(playlistWindow, r.right - 5, r.bottom - 5);
    leftButton(true);
    pumpMessages(250);
    pointerTo(mainWindow, 40, 40);
    leftButton(false);
    int top = mainList.top;
    EXPECT_GE(top, 1);
    pumpMessages(400);
    EXPECT_EQ(mainList.top, top) << "the release away from the button ended the press";
    EXPECT_EQ(pressedPart, PartNone);
}

TEST_F(ListWindow, AClickSelectsAndADoubleClickPlays) {
    ClearPlaylist(mainList);
    AppendEntry(mainList, asU16(mediaPath(L"silent320.avi").c_str()));
    AppendEntry(mainList, asU16(mediaPath(L"silent640.avi").c_str()));
    RedrawList();
    SendMessageW(playlistWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, kListTop + kRowHeight + 3));
    EXPECT_EQ(mainList.selected, 1);
    SendMessageW(playlistWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, kListTop + 10 * kRowHeight));
    EXPECT_EQ(mainList.selected, 1) << "below the last entry nothing changes";
    SendMessageW(playlistWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(mainList.current, 1);
    EXPECT_EQ(playbackState, Playing);
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
} // namespace

namespace {
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
