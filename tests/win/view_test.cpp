// Zoom, hints and view modes of the test process's own player windows.
#include "support.h"

#include "app/display_window.h"
#include "app/geometry.h"
#include "app/shell.h"
#include "core/command_ids.h"
#include "engine/media.h"
#include "app/volume.h"
#include "skin/hint.h"
#include "skin/menu_bar.h"

#include <gtest/gtest.h>

namespace {
class View : public testing::Test {
protected:
    void TearDown() override {
        setPlaybackState(Stopped);
        setZoom(100);
        hideHint();
    }
};

TEST_F(View, AMoveAloneMovesTheWindowAndKeepsItsSize) {
    RECT before, after;
    GetWindowRect(mainWindow, &before);
    SetWindowPos(mainWindow, nullptr, before.left + 10, before.top + 7, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(mainWindow, &after);
    EXPECT_EQ(after.left, before.left + 10);
    EXPECT_EQ(after.top, before.top + 7);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    SetWindowPos(mainWindow, nullptr, before.left, before.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(View, ZoomStepsClampAndShowTheirHint) {
    ASSERT_EQ(zoomPercent, 100);
    SendMessageW(displayWindow, WM_COMMAND, MAKEWPARAM(CMD_ZOOM_IN, 0), 0);
    EXPECT_EQ(zoomPercent, 105);
    EXPECT_EQ(hintMode, HintMode::Text);
    EXPECT_STREQ(hintText, L"缩放：105%");
    EXPECT_TRUE(IsWindowVisible(hintWindow));
    RECT display, hint;
    GetWindowRect(displayWindow, &display);
    GetWindowRect(hintWindow, &hint);
    EXPECT_EQ(hint.top, display.top + 12) << "over the picture";
    EXPECT_NE(GetForegroundWindow(), hintWindow) << "a hint never takes the activation";
    EXPECT_EQ(SendMessageW(hintWindow, WM_NCHITTEST, 0, MAKELPARAM(hint.left + 2, hint.top + 2)),
              HTTRANSPARENT);

    setZoom(5);
    hideHint();
    SendMessageW(displayWindow, WM_COMMAND, MAKEWPARAM(CMD_ZOOM_OUT, 0), 0);
    EXPECT_EQ(zoomPercent, 5);
    EXPECT_EQ(hintMode, HintMode::Hidden) << "no hint when nothing changed";
    setZoom(1000);
    EXPECT_EQ(zoomPercent, 400);
}

TEST_F(View, ATextHintHidesItselfAfterTwoAndAHalfSeconds) {
    RECT r = {100, 100, 300, 116};
    showTextHint(&r, L"移动到：D:\\");
    EXPECT_TRUE(IsWindowVisible(hintWindow));
    pumpMessages(1500);
    showTextHint(&r, L"second");
    pumpMessages(1500);
    EXPECT_TRUE(IsWindowVisible(hintWindow)) << "a second hint restarts the time-out";
    EXPECT_TRUE(eventually([] { return !IsWindowVisible(hintWindow); }, 2000));
    EXPECT_EQ(hintMode, HintMode::Hidden);
}

TEST_F(View, TheVolumeHintSitsOverTheVideo) {
    showVolumeHintNow();
    EXPECT_EQ(hintMode, HintMode::Volume);
    RECT display, hint;
    GetWindowRect(displayWindow, &display);
    GetWindowRect(hintWindow, &hint);
    int cy = hint.bottom - hint.top;
    EXPECT_EQ((hint.right - hint.left) % 30, 0);
    EXPECT_EQ(hint.top, display.bottom - 2 * cy);
    hideHint();
    EXPECT_FALSE(IsWindowVisible(hintWindow));
}

TEST_F(View, TheWindowHasRoundedCorners) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(mainWindow, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, mainWidth - 1, mainHeight - 1));
    EXPECT_TRUE(PtInRegion(region, 6, 0));
    EXPECT_TRUE(PtInRegion(region, mainWidth / 2, mainHeight / 2));
    DeleteObject(region);
}

} // namespace

namespace {
TEST_F(View, ThePointerHidesAfterRestingAndComesBackOnARealMove) {
    RECT d;
    GetWindowRect(displayWindow, &d);
    POINT centre = {(d.left + d.right) / 2, (d.top + d.bottom) / 2};
    SetCursorPos(centre.x, centre.y);
    POINT client = centre;
    ScreenToClient(displayWindow, &client);
    cursorHidden = false;
    SendMessageW(displayWindow, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    EXPECT_FALSE(cursorHidden);
    // The two-second timer: fired by hand rather than waited for.
    SendMessageW(displayWindow, WM_TIMER, 100, 0);
    EXPECT_TRUE(cursorHidden);
    SendMessageW(displayWindow, WM_MOUSEMOVE, 0, MAKELPARAM(client.x + 2, client.y + 2));
    EXPECT_TRUE(cursorHidden) << "a 2-pixel nudge keeps it hidden";
    SendMessageW(displayWindow, WM_MOUSEMOVE, 0, MAKELPARAM(client.x + 6, client.y + 2));
    EXPECT_FALSE(cursorHidden) << "a 4-pixel move shows it";
    EXPECT_TRUE(eventually([] { return cursorHidden; }, 3000)) << "and it hides again after resting";
    SendMessageW(displayWindow, WM_MOUSEMOVE, 0, MAKELPARAM(client.x + 20, client.y));
    EXPECT_FALSE(cursorHidden);
}
} // namespace
