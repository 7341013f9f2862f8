// The play list as a user lives with it: files dropped from elsewhere, and the list across runs.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {
using Names = std::vector<std::string>;

std::string m3u(const std::vector<std::wstring>& paths) {
    std::string text = "#EXTM3U";
    for (const std::wstring& p : paths)
        text += "\r\n" + ansi(p);
    return text;
}

Names baseNames(const Names& paths) {
    Names out;
    for (const std::string& p : paths)
        out.push_back(p.substr(p.rfind('\\') + 1));
    return out;
}

Names savedNames(const Player& player) {
    return baseNames(pathLines(readFile(player.file(L"default.m3u"))));
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

TEST(Lists, DroppedFilesAndFoldersGoSortedBehindThePlayingEntry) {
    auto entries = outsideFiles({L"e0.avi", L"e1.avi", L"e2.avi", L"e3.avi"});
    Player player("[PLAYLIST]\r\nIndex=1\r\n", {{L"default.m3u", m3u(entries)}});
    ASSERT_TRUE(player.started());
    ASSERT_TRUE(player.listShown());
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(42001, 0), 0); // play the current entry
    // A folder gives its own files, not its sub-folders'; a path that is not there gives nothing.
    auto files = outsideFiles({L"b.avi", L"a.avi"});
    std::wstring folder = files[0].substr(0, files[0].rfind(L'\\')) + L"\\d";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\sub").c_str(), nullptr);
    CopyFileW(files[0].c_str(), (folder + L"\\f.avi").c_str(), FALSE);
    CopyFileW(files[0].c_str(), (folder + L"\\sub\\deep.avi").c_str(), FALSE);
    ASSERT_TRUE(player.dropFiles({files[0], folder, files[1], L"C:\\not\\there.avi"}));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(savedNames(player), (Names{"e0.avi", "e1.avi", "a.avi", "b.avi", "f.avi", "e2.avi", "e3.avi"}));
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"1") << "entry 1 kept playing";
}

TEST(Lists, DropsWhileStoppedOrFromAnotherActiveApplicationPlayTheFirstDroppedFile) {
    for (bool otherActive : {false, true}) {
        Player player;
        ASSERT_TRUE(player.started());
        HWND other = nullptr;
        if (otherActive) {
            other = CreateWindowExW(0, L"STATIC", L"file manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    200, 100, nullptr, nullptr, nullptr, nullptr);
            SetForegroundWindow(other);
            ASSERT_TRUE(player.roundTrip());
            ASSERT_NE(GetForegroundWindow(), player.main());
        }
        ASSERT_TRUE(player.dropFiles(outsideFiles({L"z.avi", L"y.avi"})));
        ASSERT_TRUE(player.roundTrip());
        EXPECT_EQ(player.close(), 0);
        if (other != nullptr)
            DestroyWindow(other);
        EXPECT_EQ(savedNames(player), (Names{"y.avi", "z.avi"}));
        EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"0");
    }
}

TEST(Lists, TheListAndItsSettingsComeBackOnTheNextRun) {
    std::vector<std::wstring> paths = {L"C:\\music\\one.mp3", L"C:\\music\\two.mp3", L"D:\\three.avi"};
    Player first("[PLAYLIST]\r\nIndex=1\r\nLoop=1\r\n", {{L"default.m3u", m3u(paths)}});
    ASSERT_TRUE(first.started());
    EXPECT_EQ(first.close(), 0);
    std::string list = readFile(first.file(L"default.m3u"));
    EXPECT_EQ(list, m3u(paths));
    for (auto [section, key, value] : {std::tuple{L"PLAYLIST", L"Index", L"1"},
                                       {L"PLAYLIST", L"Loop", L"1"},
                                       {L"WINDOW", L"Playlist.Visible", L"1"},
                                       {L"WINDOW", L"Playlist.Width", L"228"}})
        EXPECT_EQ(readSetting(first.settingsPath(), section, key), value) << key;

    Player second("", {{L"default.m3u", list}, {L"ZonPlayer.ini", readFile(first.settingsPath())}});
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.close(), 0);
    EXPECT_EQ(readFile(second.file(L"default.m3u")), list);
    EXPECT_EQ(readSetting(second.settingsPath(), L"PLAYLIST", L"Index"), L"1");

    // A stored entry beyond the list means no current entry.
    Player third("[PLAYLIST]\r\nIndex=7\r\n", {{L"default.m3u", m3u(paths)}});
    ASSERT_TRUE(third.started());
    EXPECT_EQ(third.close(), 0);
    EXPECT_EQ(readSetting(third.settingsPath(), L"PLAYLIST", L"Index"), L"-1");
}
} // namespace
