// The real player in the test prefix like stock Windows (the second prefix of `make test`), whose
// DirectShow splits no MP4, MOV, MKV, WebM or M4A: those play through the player's own Media
// Foundation source, everything else as before. The pattern clip's lower half is eight columns,
// the bits of its frame number, read here from the screen.
#include "player.h"
#include "../common/pattern.h"
#include "win32/guards.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
// What the picture shows; no frame without a picture.
Pattern shownBy(const Player& player) {
    HWND picture = player.picture();
    RECT r = {};
    if (!IsWindowVisible(picture) || !GetClientRect(picture, &r) || r.right < 32 || r.bottom < 32)
        return {};
    MapWindowPoints(picture, nullptr, reinterpret_cast<POINT*>(&r), 2);
    WindowDc screen(nullptr);
    return patternIn([&](double x, double y) {
        return GetPixel(screen, r.left + static_cast<int>(x * width(r)),
                        r.top + static_cast<int>(y * height(r)));
    });
}

// What a failed look at the picture saw: where the display and the picture are in the window,
// and the colour where the pattern's red would be.
std::string seen(const Player& player) {
    HWND picture = player.picture();
    RECT r = {};
    GetWindowRect(picture, &r);
    COLORREF red = GetPixel(WindowDc(nullptr), r.left + width(r) / 4, r.top + height(r) / 4);
    MapWindowPoints(nullptr, player.main(), reinterpret_cast<POINT*>(&r), 2);
    wchar_t name[64] = {};
    GetClassNameW(picture, name, 64);
    auto place = [](const RECT& p) {
        return std::to_string(p.left) + "," + std::to_string(p.top) + " " + std::to_string(width(p)) + "x" +
               std::to_string(height(p));
    };
    char colour[8];
    snprintf(colour, sizeof colour, "%06lx", static_cast<unsigned long>(red & 0xFFFFFF));
    return "display " + place(player.display()) + "; picture " +
           (IsWindowVisible(picture) ? "shown " : "hidden ") + ansi(name) + " " + place(r) + "; at red " +
           colour + "; frame " + std::to_string(shownBy(player).frame);
}

TEST(StockWindows, EachContainerPlaysToItsEndTheNextFollowsAndWhatNothingOpensIsSkipped) {
    std::vector<std::string> list;
    for (const wchar_t* file : {L"short.mp4", L"short.mov", L"short.mkv", L"short.webm", L"short.m4a",
                                L"corrupt.avi", L"clip320.avi"})
        list.push_back(ansi(mediaPath(file)));
    Player player(kFirstPlays, {{L"default.m3u", m3u(list)}});
    ASSERT_TRUE(player.plays());
    // Five clips of a second, a file skipped at once and one of three seconds.
    EXPECT_TRUE(player.answering([&] { return player.index() == L"-1"; }, 20000))
        << "every entry played or was skipped, and the list stopped after the last";
    EXPECT_EQ(player.unanswered(), 0) << "the window answered every probe within a second";
    EXPECT_EQ(player.close(), 0);
    // Each played entry recorded its length when it opened; the skipped one none.
    std::string expected = "#EXTM3U";
    for (std::size_t i = 0; i < list.size(); ++i)
        expected += (i < 5    ? "\r\n#EXTINF:1,short\r\n"
                     : i == 6 ? "\r\n#EXTINF:3,clip320\r\n"
                              : "\r\n") +
                    list[i];
    EXPECT_EQ(player.listFile(), expected);
}

TEST(StockWindows, AnMp4SeeksByTheWheelZoomsGoesFullScreenPausesAndIsSavedAsItShows) {
    Player player(kFirstPlays, {{L"default.m3u",
                                 m3u({ansi(mediaPath(L"pattern.mp4")), ansi(mediaPath(L"silent640.avi"))})}});
    ASSERT_TRUE(player.plays());
    ASSERT_TRUE(player.showsPicture());
    ASSERT_TRUE(eventually([&] { return shownBy(player).frame > 5; })) << "it plays";
    EXPECT_TRUE(shownBy(player).colours) << "red beside green";

    // Bursts of the wheel on the seek bar move it forward and back while the window answers.
    player.restOnSeekBar();
    int before = shownBy(player).frame;
    wheel(80);
    wheel(-10);
    wheel(80);
    EXPECT_TRUE(player.answering([&] { return shownBy(player).frame > before + 40; })) << "sought forward";
    before = shownBy(player).frame;
    wheel(-60);
    wheel(-60);
    EXPECT_TRUE(player.answering([&] { return shownBy(player).frame < before - 25; })) << "and back";

    // Zoomed and full screen, the picture fills its new place.
    struct View {
        WORD command;
        int top, width;
    };
    for (auto [command, top, wide] :
         {View{CMD_ZOOM_200, 22, 640}, {CMD_VIEW_FULLSCREEN, 0, -1}, {CMD_ZOOM_100, 22, 320}}) {
        player.command(command);
        EXPECT_TRUE(player.answering([&, top = top, wide = wide] {
            RECT display = player.display();
            return display.top == top && (wide < 0 || width(display) == wide) && shownBy(player).colours;
        })) << command
            << ": " << seen(player);
    }

    player.command(CMD_PLAY_PAUSE);
    // The frames already on their way are shown; then the picture stays. A playing clip of 25
    // frames a second shows a new frame well within ten frames' time.
    constexpr DWORD kTenFrames = 10 * 1000 / 25;
    Pattern paused;
    ASSERT_TRUE(eventually([&] {
        paused = shownBy(player);
        Sleep(kTenFrames);
        return shownBy(player).frame == paused.frame;
    }));
    Sleep(kTenFrames);
    EXPECT_EQ(shownBy(player).frame, paused.frame) << "paused, the picture stays";
    // Saved while paused: the bitmap holds the frame the screen shows.
    std::wstring shot = player.file(L"shot.bmp");
    PostMessageW(player.main(), WM_COMMAND, CMD_FILE_SNAPSHOT, 0);
    ASSERT_TRUE(answer(player.topWindow(L"#32770"), shot));
    ASSERT_TRUE(eventually([&] { return readFile(shot).size() == 54 + 320 * 240 * 4; }));
    std::string bmp = readFile(shot);
    Pattern saved = patternIn([&](double x, double y) { // bottom-up rows of blue, green, red
        const char* p =
            bmp.data() + 54 + ((239 - static_cast<int>(y * 240)) * 320 + static_cast<int>(x * 320)) * 4;
        return RGB(static_cast<BYTE>(p[2]), static_cast<BYTE>(p[1]), static_cast<BYTE>(p[0]));
    });
    EXPECT_EQ(saved.frame, paused.frame);
    EXPECT_TRUE(saved.colours);

    // Playing again, a long turn of the wheel runs it to its end: the next entry follows.
    player.activate();
    player.command(CMD_PLAY_PAUSE);
    EXPECT_TRUE(player.answering([&] { return shownBy(player).frame > paused.frame; })) << "it plays on";
    player.restOnSeekBar();
    wheel(600);
    EXPECT_TRUE(player.answering([&] { return width(player.display()) == 640; })) << "the next entry";
    EXPECT_EQ(player.unanswered(), 0) << "the window answered every probe within a second";
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(player.index(), L"1");
}
} // namespace
