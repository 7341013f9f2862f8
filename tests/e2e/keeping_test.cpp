// The list survives whatever a user's files and a user's session do to it.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Lines = std::vector<std::string>;

std::string crlfList(const Lines& paths) {
    std::string text = "#EXTM3U";
    for (const std::string& p : paths)
        text += "\r\n" + p;
    return text;
}

Lines numbered(int n, std::size_t width) {
    Lines paths;
    for (int i = 0; i < n; ++i) {
        std::string name = "C:\\music\\" + std::to_string(i);
        paths.push_back(name + std::string(width > name.size() + 4 ? width - name.size() - 4 : 0, 'x') +
                        ".mp3");
    }
    return paths;
}

void listCommand(const Player& player, WORD id) {
    SendMessageW(player.child(L"Zon PlayList"), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

TEST(Keeping, ListsOfOtherPlayersAndOddFilesSurviveAStartAndAnExit) {
    const std::string longTitle(400, 't');
    const std::string longPath = "C:\\" + std::string(300, 'p') + ".mp3";
    struct Case {
        const char* name;
        std::string file;
        Lines paths;   // what the player's own file holds after the exit
        bool original; // the file as it was is kept beside it
    } cases[] = {
        {"LF line ends", "#EXTM3U\n#EXTINF:5,A\nC:\\a.mp3\nC:\\b.mp3\n", {"C:\\a.mp3", "C:\\b.mp3"}, false},
        {"no header", "C:\\a.mp3\r\nC:\\b.mp3", {"C:\\a.mp3", "C:\\b.mp3"}, false},
        {"a title of unknown length", "#EXTM3U\r\n#EXTINF:-1,Radio\r\nC:\\a.mp3", {"C:\\a.mp3"}, true},
        {"not a list at all",
         std::string("\x7F"
                     "ELF\0\0\1\2",
                     8),
         {"\x7F"
          "ELF"},
         true},
        {"5000 entries", crlfList(numbered(5000, 20)), numbered(5000, 20), false},
        {"long fields", "#EXTM3U\r\n#EXTINF:12," + longTitle + "\r\n" + longPath, {longPath}, false},
        {"over 64 MiB", crlfList(numbered(260000, 262)), numbered(260000, 262), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Player player("", {{L"default.m3u", c.file}});
        ASSERT_TRUE(player.started());
        EXPECT_EQ(player.close(), 0);
        std::string saved = readFile(player.file(L"default.m3u"));
        EXPECT_EQ(pathLines(saved), c.paths);
        EXPECT_EQ(readFile(player.file(L"default.m3u.original")), c.original ? c.file : "(missing)");
        if (std::string(c.name) == "long fields") {
            EXPECT_NE(saved.find("#EXTINF:12," + longTitle + "\r\n"), std::string::npos) << "the title whole";
        }
    }
}

TEST(Keeping, AnEditIsOnTheDiskSoonEvenIfThePlayerIsKilled) {
    Player player("", {{L"default.m3u", crlfList({"C:\\a.mp3"})}});
    ASSERT_TRUE(player.started());
    std::wstring dropped = mediaCopy(L"silent320.avi", L"dropped.avi");
    ASSERT_TRUE(player.dropFiles({dropped}));
    listCommand(player, 45004); // loop
    Sleep(3000);
    player.kill();
    EXPECT_EQ(pathLines(readFile(player.file(L"default.m3u"))), (Lines{ansi(dropped), "C:\\a.mp3"}));
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Loop"), L"1");
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"0");
}

TEST(Keeping, TheEndOfTheSessionFindsEverythingOnTheDisk) {
    Player player("", {{L"default.m3u", crlfList({"C:\\a.mp3"})}});
    ASSERT_TRUE(player.started());
    listCommand(player, 45004);
    listCommand(player, 45003); // clear
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(player.main(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the player lets the session end";
    ASSERT_TRUE(SendMessageTimeoutW(player.main(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer));
    player.kill(); // the system ends the process once every window has answered
    EXPECT_EQ(readFile(player.file(L"default.m3u")), "#EXTM3U");
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Loop"), L"1");
}

TEST(Keeping, PlayWithNoCurrentEntryStartsTheSelectedOneElseTheFirst) {
    std::string clip = ansi(mediaPath(L"silent320.avi"));
    std::string list = crlfList({clip, clip, clip});
    struct Case {
        const char* name;
        int downs; // Down keys pressed in the list first
        const wchar_t* index;
    } cases[] = {{"nothing selected", 0, L"0"}, {"the third selected", 3, L"2"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Player player("", {{L"default.m3u", list}});
        ASSERT_TRUE(player.started());
        ASSERT_TRUE(player.listShown());
        player.activate();
        for (int i = 0; i < c.downs; ++i)
            player.postKey(WM_KEYDOWN, VK_DOWN, false);
        player.postKey(WM_KEYDOWN, 'P', false); // play
        ASSERT_TRUE(player.roundTrip());
        EXPECT_EQ(player.close(), 0);
        EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), c.index);
    }
}
} // namespace
