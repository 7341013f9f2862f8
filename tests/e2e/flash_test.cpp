// A Flash movie in the list, played through the control the test prefix registers.
#include "player.h"
#include "win32/guards.h"

#include <gtest/gtest.h>

namespace {
TEST(Flash, AMovieEntryPlaysInTheDisplayWindowAndTheNextEntryFollowsItsLastFrame) {
    std::string movie = ansi(mediaPath(L"movie.swf")); // 100 frames, 4 s
    Player player("[PLAYLIST]\r\nIndex=0\r\n",
                  {{L"default.m3u", m3u({movie, ansi(mediaPath(L"silent320.avi"))})}});
    ASSERT_TRUE(player.listShown());
    player.activate();
    player.command(CMD_PLAY_PAUSE);
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
    EXPECT_TRUE(eventually([&] { return width(display()) == 320; }, 8000))
        << "the next entry after its last frame";
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(player.index(), L"1");
}
} // namespace
