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

namespace {
// The control's calls after the last one of `name`, from its log.
std::vector<std::string> callsAfterLast(const std::wstring& log, const std::string& name) {
    std::vector<std::string> calls;
    std::string text = readFile(log);
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == name)
            calls.clear();
        else
            calls.push_back(line);
    }
    return calls;
}

TEST(Flash, APausedMovieStaysPausedUnderThePointerAndOneSoughtByTheWheelPlaysOnToItsEnd) {
    std::wstring log = freshFolder(L"flash") + L"\\control.log";
    SetEnvironmentVariableW(L"ZON_FLASH_LOG", log.c_str());
    Player player("[PLAYLIST]\r\nIndex=0\r\n",
                  {{L"default.m3u", m3u({ansi(mediaPath(L"movie.swf")), ansi(mediaPath(L"silent320.avi"))})}});
    ASSERT_TRUE(player.listShown());
    player.activate();
    player.command(CMD_PLAY_PAUSE);
    ASSERT_TRUE(eventually([&] { return readFile(log).find("\nPlay") != std::string::npos; }));
    player.command(CMD_PLAY_PAUSE);
    ASSERT_TRUE(eventually([&] { return callsAfterLast(log, "Stop").empty(); })) << "paused";
    // The pointer crosses the seek bar, resting on it a moment, and leaves; the frame's hover tick
    // (200 ms) notices it leaving.
    RECT r = player.windowRect();
    for (int x = 20; x < width(r) - 20; x += width(r) / 8) {
        SetCursorPos(r.left + x, r.bottom - 46);
        mouse(MOUSEEVENTF_MOVE, 0, 1);
    }
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    mouse(MOUSEEVENTF_MOVE, 0, 1);
    Sleep(3 * 200);
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(callsAfterLast(log, "Stop"), std::vector<std::string>{}) << "still paused";
    player.command(CMD_PLAY_PAUSE);
    SetCursorPos(r.left + width(r) / 2, r.bottom - 46);
    mouse(MOUSEEVENTF_MOVE, 0, 1);
    ASSERT_TRUE(player.roundTrip());
    for (int i = 0; i < 10; ++i)
        mouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
    EXPECT_TRUE(eventually([&] { return readFile(log).find("GotoFrame") != std::string::npos; }));
    EXPECT_TRUE(eventually([&] { return width(player.childRect(L"Zon Display")) == 320; }, 8000))
        << "it played on to its last frame, and the next entry followed";
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(player.index(), L"1");
}
} // namespace
