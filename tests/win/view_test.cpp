// Zoom, hints, the window's shape and the pointer over the test process's own player windows.
#include "support.h"

#include "app/display_window.h"
#include "app/geometry.h"
#include "app/shell.h"
#include "core/command_ids.h"
#include "engine/media.h"
#include "engine/media_context.h"
#include "fakes.h"
#include "skin/hint.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using View = PlayerTest;

TEST_F(View, AMoveAloneKeepsTheSize) {
    RECT before, after;
    GetWindowRect(mainWindow, &before);
    SetWindowPos(mainWindow, nullptr, before.left + 10, before.top + 7, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(mainWindow, &after);
    SetWindowPos(mainWindow, nullptr, before.left, before.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    OffsetRect(&before, 10, 7);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(View, AZoomStepShowsATextHintOverThePictureThatNeverTakesTheActivationAndHidesItself) {
    setZoom(5);
    hideHint();
    SendMessageW(displayWindow, WM_COMMAND, MAKEWPARAM(CMD_ZOOM_OUT, 0), 0);
    EXPECT_EQ(hintMode, HintMode::Hidden) << "no hint when nothing changed";
    SendMessageW(displayWindow, WM_COMMAND, MAKEWPARAM(CMD_ZOOM_IN, 0), 0);
    EXPECT_EQ(zoomPercent, 10);
    EXPECT_TRUE(hintMode == HintMode::Text && IsWindowVisible(hintWindow));
    RECT display, hint;
    GetWindowRect(displayWindow, &display);
    GetWindowRect(hintWindow, &hint);
    EXPECT_TRUE(PtInRect(&display, {hint.left, hint.top}) && PtInRect(&display, {hint.right, hint.bottom}));
    EXPECT_NE(GetForegroundWindow(), hintWindow);
    EXPECT_EQ(SendMessageW(hintWindow, WM_NCHITTEST, 0, MAKELPARAM(hint.left + 2, hint.top + 2)),
              HTTRANSPARENT);
    EXPECT_TRUE(eventually([] { return !IsWindowVisible(hintWindow); }, 4000));
    EXPECT_EQ(hintMode, HintMode::Hidden);
}

// Where the windowless renderer draws (Windows; Wine's cannot), what only Windows sends reaches it:
// a paint without an erase (a paused picture uncovered), a new display mode, a zoom.
TEST_F(View, TheWindowlessRendererIsToldOfPaintsDisplayChangesAndItsPlace) {
    std::wstring clip = mediaPath(L"silent640.avi");
    ASSERT_TRUE(openInPlace(clip));
    CallLog log;
    StandInWindowless renderer(640, 360, &log);
    ASSERT_TRUE(onMedium([&](MediaContext& m) {
        m.videoWindow.reset();
        m.windowless = ComPtr<IVMRWindowlessControl>::adopt(&renderer);
    }));
    media.windowless = true;
    media.videoWindow = false;
    const struct {
        void (*act)();
        std::string call;
    } cases[] = {
        // Sent, not invalidated: whether the desktop asks for a paint at all is the window
        // manager's affair, what the display does when asked is ours.
        {[] { SendMessageW(displayWindow, WM_PAINT, 0, 0); }, "RepaintVideo"},
        {[] { SendMessageW(mainWindow, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800)); }, "DisplayModeChanged"},
        {[] { setZoom(50); }, "SetVideoPosition"},
    };
    for (const auto& c : cases) {
        log.clear();
        c.act();
        ASSERT_TRUE(settled());
        auto called = [&](const std::string& line) { return line.rfind("windowless." + c.call, 0) == 0; };
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), called)) << c.call;
    }
    ASSERT_TRUE(onMedium([](MediaContext& m) { m.windowless.reset(); }));
    EXPECT_EQ(renderer.refs, 0);
}

TEST_F(View, ThePointerHidesAfterRestingAndComesBackOnARealMove) {
    RECT d;
    GetWindowRect(displayWindow, &d);
    SetCursorPos((d.left + d.right) / 2, (d.top + d.bottom) / 2);
    const int x = (d.right - d.left) / 2, y = (d.bottom - d.top) / 2;
    const auto moveBy = [&](int dx, int dy) {
        SendMessageW(displayWindow, WM_MOUSEMOVE, 0, MAKELPARAM(x + dx, y + dy));
        return cursorHidden;
    };
    cursorHidden = false;
    EXPECT_FALSE(moveBy(0, 0));
    SendMessageW(displayWindow, WM_TIMER, 100, 0); // the two-second timer, fired by hand
    EXPECT_TRUE(cursorHidden);
    EXPECT_TRUE(moveBy(2, 2)) << "a 2-pixel nudge keeps it hidden";
    EXPECT_FALSE(moveBy(6, 2)) << "a 4-pixel move shows it";
    EXPECT_TRUE(eventually([] { return cursorHidden; }, 3000)) << "and it hides again after resting";
    EXPECT_FALSE(moveBy(20, 0));
}
} // namespace
