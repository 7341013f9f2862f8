// The window as a user starts, drives and ends it: settings, buttons, the tray, view modes, dialogs,
// and gestures as fast as a person makes them.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
TEST(Startup, TheWindowFollowsItsSettingsNeverWritesItsPlaceAndEveryWayOutEndsIt) {
    struct Case {
        const char* settings;
        int at;               // the left and top, -1: centred
        int width, listWidth; // list width 0: hidden
    } cases[] = {
        {"", -1, 562, 228},
        {"[window]\r\nplaylist.visible=0\r\nplaylist.width=300\r\n", -1, 334, 0},
        // An unreadable width falls back to what the window can show; keys are read in any case.
        {"[WINDOW]\r\nPlaylist.Width=junk\r\nplayer.left=0\r\nPlayer.Top=0\r\n", 0, 434, 100},
    };
    for (int way = 0; way < 3; ++way) {
        const Case& c = cases[way];
        SCOPED_TRACE(c.settings);
        Player player(c.settings);
        RECT r = player.windowRect(), list = player.childRect(L"Zon PlayList");
        EXPECT_EQ(width(r), c.width);
        EXPECT_EQ(height(r), 278);
        EXPECT_EQ(r.left, c.at >= 0 ? c.at : (GetSystemMetrics(SM_CXSCREEN) - c.width) / 2);
        EXPECT_EQ(r.top, c.at >= 0 ? c.at : (GetSystemMetrics(SM_CYSCREEN) - 278) / 2);
        EXPECT_EQ(IsWindowVisible(player.list()) ? width(list) : 0, c.listWidth);
        // Moving the window does not make the program remember it.
        SetWindowPos(player.main(), nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        player.activate();
        if (way == 0)
            player.click({width(r) - 20, 10}); // the close button
        else if (way == 1)
            PostMessageW(player.main(), WM_COMMAND, CMD_FILE_EXIT, 0);
        else
            player.postKey(WM_SYSKEYDOWN, VK_F4, true);
        EXPECT_EQ(player.waitForExit(10000), 0) << "way out " << way;
        EXPECT_EQ(player.setting(L"window", L"player.left"), c.at >= 0 ? L"0" : L"(absent)");
    }
}

TEST(Buttons, ACommandRunsOnceOnTheReleaseAndMinimiseGoesToTheTray) {
    std::string clip = ansi(mediaPath(L"clip8.avi"));
    Player player(kFirstPlays, {{L"default.m3u", m3u({clip, clip, clip, clip})}});
    ASSERT_TRUE(player.listShown());
    // The Next button: a clip that plays resizes the window.
    auto next = [&] { return POINT{115, height(player.windowRect()) - 23}; };
    player.pointAt(next());
    SendMessageW(player.main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    player.pointAt({200, 100}); // moved off, over the video, before the release
    SendMessageW(player.main(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(eventually([&] { return player.index() == L"1"; }));
    player.click(next());
    player.click(next(), WM_LBUTTONDBLCLK); // a double click runs it once

    int w = width(player.windowRect());
    player.click({w - 55, 10}); // minimise
    EXPECT_TRUE(eventually([&] { return !IsWindowVisible(player.main()); }));
    SendMessageW(player.main(), WM_USER + 100, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(player.main()) && !IsIconic(player.main()));
    EXPECT_EQ(width(player.windowRect()), w);
    player.click({w - 55, 10});
    EXPECT_TRUE(eventually([&] { return !IsWindowVisible(player.main()); }));
    EXPECT_EQ(player.close(), 0) << "closing from the tray ends cleanly";
    EXPECT_EQ(player.index(), L"2");
}

TEST(View, SoundKeepsTheSmallestVideoAreaAVideoFitsFullScreenGoesBackAndTheListOnlyWidens) {
    Player player(kFirstPlays,
                  {{L"default.m3u", m3u({ansi(mediaPath(L"tone.wav")), ansi(mediaPath(L"silent640.avi"))})}});
    ASSERT_TRUE(player.plays());
    EXPECT_EQ(width(player.display()), 320);
    EXPECT_EQ(height(player.display()), 180);
    EXPECT_EQ(player.picture(), nullptr) << "no video window";

    player.command(CMD_NEXT);
    ASSERT_TRUE(eventually([&] { return width(player.display()) == 640; }));
    EXPECT_EQ(height(player.display()), 360);
    EXPECT_EQ(width(player.windowRect()), 640 + 14 + 228);
    player.click({width(player.windowRect()) - 35, 10}); // the button into full screen
    ASSERT_TRUE(eventually([&] { return player.display().top == 0; }));
    EXPECT_FALSE(IsWindowVisible(player.list()));
    player.postKey(WM_SYSKEYDOWN, VK_RETURN, true); // Alt+Enter back
    ASSERT_TRUE(eventually([&] { return player.display().top == 22; }));
    EXPECT_TRUE(IsWindowVisible(player.list()));
    EXPECT_EQ(width(player.display()), 640);
    // Fifty per cent from full screen leaves it, at the smallest video area.
    player.command(CMD_VIEW_FULLSCREEN);
    EXPECT_GE(width(player.windowRect()), GetSystemMetrics(SM_CXSCREEN) - 16);
    player.command(CMD_ZOOM_50);
    // Leaving full screen settles the layout through messages of its own: waited for.
    EXPECT_TRUE(eventually([&] { return width(player.display()) == 320; }));
    EXPECT_EQ(player.display().top, 22);
    EXPECT_EQ(height(player.display()), 180);

    RECT before = player.windowRect(), video = player.display();
    for (bool shown : {false, true}) {
        player.command(CMD_VIEW_PLAYLIST);
        EXPECT_EQ(width(player.windowRect()), width(before) - (shown ? 0 : 228));
        EXPECT_EQ(player.windowRect().left, before.left);
        EXPECT_EQ(IsWindowVisible(player.list()) != FALSE, shown);
        RECT now = player.display();
        EXPECT_TRUE(EqualRect(&video, &now));
    }
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(player.setting(L"WINDOW", L"Playlist.Visible"), L"1");
}

// Posts the command (the dialog's loop runs inside it) and waits for its dialog.
HWND openDialog(const Player& player, WORD command, HWND to) {
    PostMessageW(to, WM_COMMAND, command, 0);
    return player.topWindow(L"#32770");
}

TEST(Dialogs, AddSaveAndOpenAsAUserAnswersThem) {
    const std::string clip = ansi(mediaPath(L"clip320.avi"));
    const Lines old = {"C:\\old\\one.mp3", "C:\\old\\two.mp3"}, three = {old[0], old[1], clip};
    Player player("", {{L"default.m3u", m3u(old)}});
    ASSERT_TRUE(player.listShown());
    // Cancelled, Add adds nothing; chosen, it adds the file.
    ASSERT_TRUE(answer(openDialog(player, CMD_LIST_ADD, player.list()), L"", IDCANCEL));
    ASSERT_TRUE(answer(openDialog(player, CMD_LIST_ADD, player.list()), mediaPath(L"clip320.avi")));
    EXPECT_TRUE(eventually([&] { return pathLines(player.listFile()) == three; }));
    // Saved elsewhere, the list is written there at once and saved there from then on.
    std::wstring other = player.file(L"other"); // the dialog adds the m3u extension
    ASSERT_TRUE(answer(openDialog(player, CMD_LIST_SAVE, player.list()), other));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(pathLines(readFile(other + L".m3u")), three) << "written at once";
    // Open clears the list, even when it is cancelled.
    ASSERT_TRUE(answer(openDialog(player, CMD_FILE_OPEN, player.main()), L"", IDCANCEL));
    EXPECT_TRUE(eventually([&] { return pathLines(readFile(other + L".m3u")).empty(); }));
    ASSERT_TRUE(answer(openDialog(player, CMD_FILE_OPEN, player.main()), mediaPath(L"clip320.avi")));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(pathLines(readFile(other + L".m3u")), Lines{clip});
    EXPECT_EQ(pathLines(player.listFile()), three) << "default.m3u keeps what it had";
}

TEST(Stress, WheelBurstsOnTheSeekBarWhileClipsWithSoundPlayToTheirEnds) {
    constexpr int kEntries = 10;
    Player player(kFirstPlays, {{L"default.m3u", m3u(Lines(kEntries, ansi(mediaPath(L"clip8.avi"))))}});
    ASSERT_TRUE(player.plays());
    HWND last = nullptr;
    // Each round turns the wheel forward and back in bursts, then far forward: the clip reaches
    // its end soon after and the next one starts. A round begins once the next clip shows its
    // picture (a burst may carry a clip's successor to its end too, so the last rounds find none).
    for (int round = 0; round < kEntries + 4; ++round) {
        player.answering([&] { return player.picture() != last && IsWindowVisible(player.picture()); }, 3000);
        last = player.picture();
        player.restOnSeekBar();
        wheel(20, 30);
        wheel(-15, 30);
        wheel(640);
    }
    EXPECT_TRUE(player.answering([&] { return player.index() == L"-1"; }, 10000))
        << "every clip played to its end";
    EXPECT_EQ(player.unanswered(), 0) << "the window answered every probe within a second";
    EXPECT_EQ(player.close(), 0) << "and closes by itself";
}
} // namespace
