// The play list as a user lives with it: other players' files, drops, edits, sessions and runs.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Lines = std::vector<std::string>;

Lines numbered(int n, std::size_t width) {
    Lines paths;
    for (int i = 0; i < n; ++i) {
        std::string name = "C:\\music\\" + std::to_string(i);
        paths.push_back(name + std::string(width - 4 - name.size(), 'x') + ".mp3");
    }
    return paths;
}

Lines baseNames(const Lines& paths) {
    Lines out;
    for (const std::string& p : paths)
        out.push_back(p.substr(p.rfind('\\') + 1));
    return out;
}

// Copies of a clip in a folder of their own, as a file manager would drop them.
std::vector<std::wstring> outsideFiles(const std::vector<std::wstring>& names) {
    std::wstring folder = freshFolder(L"drop");
    std::vector<std::wstring> paths;
    for (const std::wstring& n : names) {
        paths.push_back(folder + L"\\" + n);
        CopyFileW(mediaPath(L"clip320.avi").c_str(), paths.back().c_str(), FALSE);
    }
    return paths;
}

// UTF-16 with its mark, as Notepad saves "Unicode", of ASCII text.
std::string utf16(const std::string& text) {
    std::string out = "\xFF\xFE";
    for (char c : text)
        out += {c, '\0'};
    return out;
}

TEST(Keeping, ListsOfOtherPlayersAndOddFilesSurviveAStartAndAnExit) {
    const std::string title(400, 't'), longPath = "C:\\" + std::string(300, 'p') + ".mp3";
    const std::string extinf = "#EXTINF:12," + title + "\r\n";
    const Lines many = numbered(5000, 20), ab = {"C:\\a.mp3", "C:\\b.mp3"}, a = {"C:\\a.mp3"};
    const std::string t5 = "#EXTINF:5,T\r\nC:\\a.mp3";
    struct Case {
        const char* name;
        std::string file;
        Lines paths;      // what the player's own file holds after the exit
        bool original;    // the file as it was is kept beside it
        std::string text; // a piece of text it holds
    } cases[] = {
        {"no header", "C:\\a.mp3\r\nC:\\b.mp3", ab, false, "#EXTM3U"},
        {"a length of -1", "#EXTM3U\r\n#EXTINF:-1,R\r\nC:\\a.mp3", a, false, "#EXTINF:-1,R\r\nC:\\a.mp3"},
        {"tags", "#EXTM3U\r\n#EXTVLCOPT:x=1\r\n" + t5, a, true, t5},
        {"UTF-16", utf16("#EXTM3U\r\n" + t5), a, false, t5},
        {"not a list at all", std::string("\0ELF\1\2", 6), {}, true, "#EXTM3U"},
        {"5000 entries", m3u(many), many, false, m3u(many)}, // written back as it was
        {"long fields", "#EXTM3U\r\n" + extinf + longPath, {longPath}, false, extinf},
        {"over 64 MiB", m3u(numbered(260000, 262)), numbered(260000, 262), false, "#EXTM3U"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Player player("", {{L"default.m3u", c.file}});
        ASSERT_TRUE(player.started());
        EXPECT_EQ(player.close(), 0);
        std::string saved = player.listFile();
        EXPECT_EQ(pathLines(saved), c.paths);
        EXPECT_NE(saved.find(c.text), std::string::npos) << "kept whole";
        EXPECT_EQ(readFile(player.file(L"default.m3u.original")), c.original ? c.file : "(missing)");
    }
}

TEST(Keeping, AnEditIsOnTheDiskSoonAndTheEndOfTheSessionSavesTheRest) {
    Player player("", {{L"default.m3u", m3u({"C:\\a.mp3"})}});
    ASSERT_TRUE(player.started());
    // Dropped from a file manager, the active application: the stopped player plays the first file.
    HWND other = CreateWindowExW(0, L"STATIC", L"file manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(player.roundTrip());
    ASSERT_NE(GetForegroundWindow(), player.main());
    auto dropped = outsideFiles({L"z.avi", L"y.avi"});
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
    player.kill(); // the system ends the process once every window has answered
    EXPECT_EQ(player.listFile(), "#EXTM3U");
    EXPECT_EQ(player.setting(L"PLAYLIST", L"Loop"), L"0");
}

TEST(Keeping, ASaveThatFailsAtExitIsMadeOnceMoreBeforeTheEnd) {
    Player player("", {{L"default.m3u", m3u({"C:\\a.mp3"})}});
    ASSERT_TRUE(player.started());
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

TEST(Keeping, AStoredEntryBeyondTheListIsNoneAndPlayStartsTheFirst) {
    std::string clip = ansi(mediaPath(L"silent320.avi"));
    Player player("[PLAYLIST]\r\nIndex=7\r\n", {{L"default.m3u", m3u({clip, clip, clip})}});
    ASSERT_TRUE(player.started());
    ASSERT_TRUE(player.listShown());
    player.activate();
    player.postKey(WM_KEYDOWN, 'P'); // play
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(player.index(), L"0");
}

TEST(Lists, DroppedFilesAndFoldersGoSortedBehindThePlayingEntry) {
    Lines entries;
    for (const std::wstring& p : outsideFiles({L"e0.avi", L"e1.avi", L"e2.avi", L"e3.avi"}))
        entries.push_back(ansi(p));
    Player player("[PLAYLIST]\r\nIndex=1\r\nLoop=1\r\n", {{L"default.m3u", m3u(entries)}});
    ASSERT_TRUE(player.started());
    ASSERT_TRUE(player.listShown());
    player.command(CMD_PLAY_PAUSE);
    // A folder gives its files; a path that is not there gives nothing.
    auto files = outsideFiles({L"b.avi", L"a.avi"});
    std::wstring folder = files[0].substr(0, files[0].rfind(L'\\')) + L"\\d";
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW(files[0].c_str(), (folder + L"\\f.avi").c_str(), FALSE);
    ASSERT_TRUE(player.dropFiles({files[0], folder, files[1], L"C:\\not\\there.avi"}));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(baseNames(pathLines(player.listFile())),
              (Lines{"e0.avi", "e1.avi", "a.avi", "b.avi", "f.avi", "e2.avi", "e3.avi"}));
    EXPECT_EQ(player.index(), L"1") << "entry 1 kept playing";
    EXPECT_EQ(player.setting(L"PLAYLIST", L"Loop"), L"1");
    EXPECT_EQ(player.setting(L"WINDOW", L"Playlist.Width"), L"228");
}

TEST(Lists, ARelativeListPlaysItsOwnFilesFromAnyFolderBeforeAndAfterARestart) {
    std::wstring x = freshFolder(L"relative"), a = x + L"\\a.avi", b = x + L"\\sub\\b.avi";
    CreateDirectoryW((x + L"\\sub").c_str(), nullptr);
    CopyFileW(mediaPath(L"silent640.avi").c_str(), a.c_str(), FALSE);
    CopyFileW(mediaPath(L"silent320.avi").c_str(), b.c_str(), FALSE);
    writeFile(x + L"\\list.m3u", "a.avi\r\nsub/b.avi");
    // Another, narrower a.avi where the player runs: playing it would be the fault.
    std::vector<Beside> besides = {{L"a.avi", readFile(mediaPath(L"silent320.avi"))}};
    std::wstring folder;
    for (int run = 0; run < 2; ++run) {
        Player player(run == 0 ? "" : "[PLAYLIST]\r\nIndex=0\r\n", besides, Start{L"", folder});
        ASSERT_TRUE(player.started());
        folder = player.folder();
        if (run == 0)
            ASSERT_TRUE(player.dropFiles({x + L"\\list.m3u"}));
        else if (player.listShown())
            player.command(CMD_PLAY_PAUSE);
        EXPECT_TRUE(eventually([&] { return width(player.childRect(L"Zon Display")) == 640; })) << run;
        EXPECT_EQ(player.close(), 0);
        EXPECT_EQ(pathLines(player.listFile()), (Lines{ansi(a), ansi(b)}));
    }
}

} // namespace
