// A Flash movie in the list, played through the control the test prefix registers.
#include "player.h"

#include "core/timers.h"
#include "win32/guards.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
TEST(Flash, AMovieShowsInTheDisplayStaysPausedUnderThePointerIsSoughtByTheWheelAndTheNextEntryFollows) {
    StandInLog log(L"ZON_FLASH_LOG");
    Player player("[PLAYLIST]\r\nIndex=0\r\n",
                  {{L"default.m3u", m3u({ansi(mediaPath(L"movie.swf")), // 100 frames, 4 s
                                         ansi(mediaPath(L"silent320.avi"))})}});
    ASSERT_TRUE(player.listShown());
    player.activate();
    player.command(CMD_PLAY_PAUSE);
    ASSERT_TRUE(eventually([&] { return log.has("Play"); }));
    auto display = [&] { return player.childRect(L"Zon Display"); };
    ASSERT_TRUE(eventually([&] { return width(display()) == 640 && height(display()) == 360; }))
        << "a movie fits the window at 640 x 360";
    auto picture = [&] {
        RECT d = {};
        GetWindowRect(player.child(L"Zon Display"), &d);
        return GetPixel(WindowDc(nullptr), d.left + 20, d.top + 20);
    };
    COLORREF first = 0;
    EXPECT_TRUE(eventually([&] { return (first = picture()) != RGB(7, 9, 7); }))
        << "the movie covers the display";
    EXPECT_TRUE(eventually([&] { return picture() != first; })) << "its frames move on";
    player.command(CMD_PLAY_PAUSE);
    ASSERT_TRUE(eventually([&] { return log.after("Stop").empty(); })) << "paused";
    // The pointer crosses the seek bar, resting on it a moment, and leaves; the frame's hover tick
    // notices it leaving within a period, three of which are waited out.
    RECT r = player.windowRect();
    for (int x = 20; x < width(r) - 20; x += width(r) / 8) {
        SetCursorPos(r.left + x, r.bottom - 46);
        mouse(MOUSEEVENTF_MOVE, 0, 1);
    }
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    mouse(MOUSEEVENTF_MOVE, 0, 1);
    Sleep(3 * kFrameHoverPeriod);
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(log.after("Stop"), std::vector<std::string>{}) << "still paused";
    player.command(CMD_PLAY_PAUSE);
    SetCursorPos(r.left + width(r) / 2, r.bottom - 46);
    mouse(MOUSEEVENTF_MOVE, 0, 1);
    ASSERT_TRUE(player.roundTrip());
    for (int i = 0; i < 10; ++i)
        mouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
    EXPECT_TRUE(eventually([&] {
        std::vector<std::string> calls = log.lines();
        return std::any_of(calls.begin(), calls.end(),
                           [](const std::string& c) { return c.rfind("GotoFrame", 0) == 0; });
    })) << "sought";
    EXPECT_TRUE(eventually([&] { return width(display()) == 320; }, 8000))
        << "it played on to its last frame, and the next entry followed";
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(player.index(), L"1");
}
} // namespace
