// Discs in drive V:, a CD-ROM drive whose disc is the folder ZON_DISC names: a video CD plays as a
// list of its own, the user's list untouched; a DVD through the prefix's stand-in navigator.
#include "player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {
// Puts a disc in the drive: the given folders, a video CD's two tracks (PAL, then NTSC) in MPEGAV.
void insertDisc(bool videoCd, bool dvd) {
    std::filesystem::path disc(pathFromEnvironment(L"ZON_DISC"));
    std::filesystem::remove_all(disc / L"MPEGAV");
    std::filesystem::remove_all(disc / L"VIDEO_TS");
    if (videoCd) {
        std::filesystem::create_directory(disc / L"MPEGAV");
        // Written second to first: the tracks play in the order of their names all the same.
        copyOf(disc / L"MPEGAV\\AVSEQ02.DAT", L"vcd-ntsc.mpg");
        copyOf(disc / L"MPEGAV\\AVSEQ01.DAT", L"vcd-pal.mpg");
    }
    if (dvd)
        std::filesystem::create_directory(disc / L"VIDEO_TS");
}

TEST(VideoCd, TheTracksPlayInOrderOnTheDiscsOwnListAndTheUsersListStays) {
    const Lines mine = {ansi(mediaPath(L"silent640.avi"))}; // neither PAL nor NTSC in height
    for (auto [videoCd, dvd] : {std::pair{true, false}, {true, true}, {false, false}}) {
        SCOPED_TRACE(testing::Message() << "video CD " << videoCd << ", DVD folder " << dvd);
        insertDisc(videoCd, dvd);
        Player player("", {{L"default.m3u", m3u(mine)}});
        ASSERT_TRUE(player.listShown());
        player.command(CMD_DISC);
        if (videoCd) {
            for (int lines : {288, 240}) // the first track, PAL, then the second, NTSC
                EXPECT_TRUE(eventually([&] { return height(player.display()) == lines; }, 8000)) << lines;
            // The last track's renderer goes with its end; had the user's list gone on, its entry
            // would be the one stored.
            EXPECT_TRUE(eventually([&] { return !player.picture(); }, 8000))
                << "the disc ends with its last track";
        }
        EXPECT_EQ(player.close(), 0);
        EXPECT_EQ(pathLines(player.listFile()), mine);
        EXPECT_EQ(player.index(), L"-1") << "nothing of the user's list played, with a disc or without";
    }
    insertDisc(false, false);
}

TEST(Dvd, TheDiscListsEntriesFollowTheNavigatorAndTheControlsReachIt) {
    insertDisc(false, true);
    StandInLog log(L"ZON_DVD_LOG");
    SetEnvironmentVariableW(L"ZON_DVD_CLIP", mediaPath(L"silent320.avi").c_str());
    const Lines mine = {ansi(mediaPath(L"silent640.avi"))};
    Player player("", {{L"default.m3u", m3u(mine)}});
    ASSERT_TRUE(player.listShown());
    // The list: title menu, root menu, title 1 and its chapters 1-3, title 2 and its chapter 1.
    // The disc starts at title 1, chapter 1 (the fourth entry); the default languages are none.
    const std::pair<WORD, Lines> steps[] = {
        {CMD_DISC,
         {"RenderDvdVideoVolume null 1", "SetServiceState 0", "SetOption 2 0", "SetOption 3 1",
          "SetSubpictureState 0 0"}},
        {CMD_NEXT, {"PlayChapterInTitle 1 2 4"}},
        {CMD_NEXT, {"PlayChapterInTitle 1 3 4"}},
        {CMD_NEXT, {"PlayTitle 2 4", "SetSubpictureState 0 0"}}, // its chapter 1 starts with it
        {CMD_PREVIOUS, {"PlayTitle 2 4", "SetSubpictureState 0 0"}},
        {CMD_AUDIO_STREAM_FIRST, {"SelectAudioStream 0 0"}},
        {CMD_SUBTITLE_STREAM_FIRST + 1, {"SetSubpictureState 1 0", "SelectSubpictureStream 1 0"}},
        {CMD_SUBTITLE_OFF, {"SetSubpictureState 0 0"}},
        {CMD_SKIP_FORWARD, {"PlayForwards 8 0"}},
        {CMD_SKIP_BACK, {"PlayBackwards 8 0"}},
        {CMD_RATE_DOUBLE, {"PlayForwards 2 5"}},
    };
    std::size_t seen = 0;
    auto commandCalls = [&](WORD command, const Lines& expected) {
        player.command(command);
        Lines calls;
        EXPECT_TRUE(eventually([&] {
            calls = log.lines();
            calls.erase(calls.begin(), calls.begin() + static_cast<long>(std::min(seen, calls.size())));
            return calls == expected;
        })) << command
            << ": " << testing::PrintToString(calls);
        seen += calls.size();
    };
    for (const auto& [command, calls] : steps)
        commandCalls(command, calls);
    // Japanese, title 2's only sound and its second subtitles, as the default languages: the next
    // title change chooses both.
    PostMessageW(player.main(), WM_COMMAND, CMD_AUDIO_DEFAULT, 0);
    HWND dialog = player.topWindow(L"#32770");
    SendDlgItemMessageW(dialog, IDC_AUDIO_LANGUAGE, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageW(dialog, IDC_SUBTITLE_LANGUAGE, CB_SETCURSEL, 2, 0);
    ASSERT_TRUE(answer(dialog));
    commandCalls(CMD_PREVIOUS, {"PlayTitle 2 4", "SelectAudioStream 0 0", "SetSubpictureState 1 0",
                                "SelectSubpictureStream 1 0"});
    // The pointer over the picture selects the disc's button under it; a click activates it.
    RECT display = player.display(), window = player.windowRect();
    SetCursorPos(window.left + display.left + 40, window.top + display.top + 30);
    mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 1);
    EXPECT_TRUE(eventually([&] {
        Lines calls = log.lines();
        auto click = std::find_if(calls.begin(), calls.end(),
                                  [](const std::string& c) { return c.rfind("ActivateAtPosition", 0) == 0; });
        return click != calls.end() && click[-1] == "Select" + click->substr(8);
    })) << testing::PrintToString(log.lines());
    // A click in the middle of the seek bar seeks the title's middle (title 2: 0:30).
    player.restOnSeekBar();
    mouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(eventually([&] { return log.lines().back() == "PlayAtTime 0:00:15 0"; }))
        << log.lines().back();
    player.command(CMD_STOP);
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(pathLines(player.listFile()), mine) << "the disc's list is not the user's";
    insertDisc(false, false);
}
} // namespace
