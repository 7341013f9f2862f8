// A Flash movie in the list, played through the control the test prefix registers.
#include "player.h"

#include "win32/guards.h"

#include <gtest/gtest.h>

namespace {
TEST(Flash, AMovieShowsInTheDisplayPausesAndTheNextEntryFollowsItsLastFrame) {
    StandInLog log(L"ZON_FLASH_LOG");
    Player player(kFirstPlays, {{L"default.m3u", m3u({ansi(mediaPath(L"movie.swf")), // 100 frames, 4 s
                                                      ansi(mediaPath(L"silent320.avi"))})}});
    ASSERT_TRUE(player.plays());
    ASSERT_TRUE(eventually([&] { return log.has("Play"); }));
    ASSERT_TRUE(eventually([&] { return width(player.display()) == 640 && height(player.display()) == 360; }))
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
    // Paused, it stays paused however often its position is read (tests/win/flash_test.cpp); played
    // on, it runs to its last frame.
    player.command(CMD_PLAY_PAUSE);
    EXPECT_TRUE(eventually([&] { return log.after("Stop").empty(); })) << "paused";
    player.command(CMD_PLAY_PAUSE);
    EXPECT_TRUE(eventually([&] { return width(player.display()) == 320; }, 8000))
        << "it played on to its last frame, and the next entry followed";
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(player.index(), L"1");
}
} // namespace
