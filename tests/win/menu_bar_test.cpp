// The main menu bar's popups in the test process, with timers acting inside the popups' own loops.
#include "support.h"

#include "app/shell.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"
#include "app/frame_input.h"
#include "skin/menu_bar.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<int> opened; // menuOpenItem as each popup's loop ran
int ticks;

POINT stripPoint(int x) {
    POINT p = {x, 5};
    ClientToScreen(mainWindow, &p);
    return p;
}

void CALLBACK slideThenClose(HWND, UINT, UINT_PTR id, DWORD) {
    opened.push_back(menuOpenItem);
    if (++ticks == 1) {
        // Slide onto the second title while the first popup is open.
        POINT p = stripPoint(70);
        SetCursorPos(p.x, p.y);
        ScreenToClient(mainWindow, &p);
        PostMessageW(mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        return;
    }
    KillTimer(nullptr, id);
    EndMenu();
}

TEST(MenuBar, SlidingToTheNextTitleOpensItsPopup) {
    opened.clear();
    ticks = 0;
    POINT first = stripPoint(10);
    SetCursorPos(first.x, first.y);
    SendMessageW(mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    ASSERT_EQ(mainMenuHotItem, 0);
    SetTimer(nullptr, 0, 150, slideThenClose);
    SendMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    // The posted press that closed the first popup opens the second one.
    eventually([] { return ticks >= 2; }, 3000);
    ASSERT_GE(opened.size(), 2u);
    EXPECT_EQ(opened[0], 0);
    EXPECT_EQ(opened[1], 1);
    EXPECT_EQ(menuOpenItem, -1);
    mainMenuHotItem = -1;
}

} // namespace

namespace {
void CALLBACK clickTheOpenTitle(HWND, UINT, UINT_PTR id, DWORD) {
    opened.push_back(menuOpenItem);
    KillTimer(nullptr, id);
    POINT p = stripPoint(10);
    SetCursorPos(p.x, p.y);
    PostMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    // Should the platform keep the click for the menu, close it here all the same.
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR second, DWORD) {
        KillTimer(nullptr, second);
        if (menuOpenItem >= 0) {
            opened.push_back(-2);
            EndMenu();
        }
    });
}

TEST(MenuBar, ClickingTheOpenTitleClosesItWithoutReopening) {
    opened.clear();
    POINT first = stripPoint(10);
    SetCursorPos(first.x, first.y);
    SendMessageW(mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    SetTimer(nullptr, 0, 150, clickTheOpenTitle);
    SendMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    pumpMessages(600);
    EXPECT_EQ(opened, std::vector<int>{0});
    EXPECT_EQ(menuOpenItem, -1);
}
} // namespace

namespace {
TEST(MenuBar, TheHighlightGoesWhenThePointerLeavesTheStrip) {
    SetCursorPos(5, GetSystemMetrics(SM_CYSCREEN) - 5); // far from the player
    SendMessageW(mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    ASSERT_EQ(mainMenuHotItem, 0);
    EXPECT_TRUE(eventually([] { return mainMenuHotItem < 0; }, 400)) << "within one hover period";
}
} // namespace
