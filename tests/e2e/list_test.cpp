// The play list as a user lives with it: other players' files, drops, edits, sessions and runs.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
Lines numbered(int n, std::size_t width) {
    Lines paths;
    for (int i = 0; i < n; ++i) {
        std::string name = "C:\\music\\" + std::to_string(i);
        paths.push_back(name + std::string(width - 4 - name.size(), 'x') + ".mp3");
    }
    return paths;
}

TEST(Keeping, ListsOfOtherPlayersAndOddFilesSurviveAStartAndAnExit) {
    const Lines many = numbered(5000, 20), a = {"C:\\a.mp3"};
    const std::string t5 = "#EXTINF:5,T\r\nC:\\a.mp3";
    struct Case {
        const char* name;
        std::string file;
        Lines paths;      // what the player's own file holds after the exit
        bool original;    // the file as it was is kept beside it
        std::string text; // a piece of text it holds
    } cases[] = {
        {"tags", "#EXTM3U\r\n#EXTVLCOPT:x=1\r\n" + t5, a, true, t5},
        {"not a list at all", std::string("\0ELF\1\2", 6), {}, true, "#EXTM3U"},
        {"5000 entries", m3u(many), many, false, m3u(many)}, // written back as it was
        {"over 64 MiB", m3u(numbered(260000, 262)), numbered(260000, 262), false, "#EXTM3U"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Player player("", {{L"default.m3u", c.file}});
        EXPECT_EQ(player.close(), 0);
        std::string saved = player.listFile();
        EXPECT_EQ(pathLines(saved), c.paths);
        EXPECT_NE(saved.find(c.text), std::string::npos) << "kept whole";
        EXPECT_EQ(readFile(player.file(L"default.m3u.original")), c.original ? c.file : "(missing)");
    }
}

TEST(Keeping, AnEditIsOnTheDiskSoonAndTheEndOfTheSessionSavesTheRest) {
    Player player("", {{L"default.m3u", m3u({"C:\\a.mp3"})}});
    // Dropped from a file manager, the active application: the stopped player plays the first file.
    HWND other = CreateWindowExW(0, L"STATIC", L"file manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(player.roundTrip());
    ASSERT_NE(GetForegroundWindow(), player.main());
    std::wstring outside = freshFolder(L"drop");
    std::vector<std::wstring> dropped = {copyOf(outside + L"\\z.avi", L"clip320.avi"),
                                         copyOf(outside + L"\\y.avi", L"clip320.avi")};
    ASSERT_TRUE(player.dropFiles(dropped));
    player.command(CMD_LIST_LOOP, player.list());
    EXPECT_TRUE(eventually([&] {
        return pathLines(player.listFile()) == Lines{ansi(dropped[1]), ansi(dropped[0]), "C:\\a.mp3"} &&
               player.setting(L"PLAYLIST", L"Loop") == L"1" && player.index() == L"0";
    }));
    DestroyWindow(other);

    player.command(CMD_LIST_LOOP, player.list());
    player.command(CMD_LIST_CLEAR, player.list());
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(player.main(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the player lets the session end";
    ASSERT_TRUE(SendMessageTimeoutW(player.main(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer));
    TerminateProcess(player.process(), 9); // the system ends the process once every window has answered
    player.waitForExit(10000);
    EXPECT_EQ(player.listFile(), "#EXTM3U");
    EXPECT_EQ(player.setting(L"PLAYLIST", L"Loop"), L"0");
}

TEST(Keeping, ASaveThatFailsAtExitIsMadeOnceMoreBeforeTheEnd) {
    Player player("", {{L"default.m3u", m3u({"C:\\a.mp3"})}});
    ASSERT_TRUE(player.listShown());
    // The list is written beside its file first: a file held there without sharing stops every write.
    HANDLE held = CreateFileW(player.file(L"default.m3u.saving").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::wstring dropped = mediaCopy(L"silent320.avi", L"x.avi");
    ASSERT_TRUE(player.dropFiles({dropped}));
    ASSERT_TRUE(player.roundTrip());
    PostMessageW(player.main(), WM_CLOSE, 0, 0);
    // Let go as the window goes: only a try after that can write the list.
    EXPECT_TRUE(eventually([&] { return !IsWindowVisible(player.main()); }, 10000));
    CloseHandle(held);
    EXPECT_EQ(player.waitForExit(10000), 0);
    EXPECT_EQ(pathLines(player.listFile()), (Lines{ansi(dropped), "C:\\a.mp3"}));
}

} // namespace
