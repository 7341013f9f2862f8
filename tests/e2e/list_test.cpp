// The play list as a user lives with it: drops, playing through, and the list kept across runs.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Names = std::vector<std::string>;

std::string m3u(const std::vector<std::wstring>& paths) {
    std::string text = "#EXTM3U";
    for (const std::wstring& p : paths)
        text += "\r\n" + ansi(p);
    return text;
}

std::string baseName(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
}

Names baseNames(const Names& paths) {
    Names out;
    for (const std::string& p : paths)
        out.push_back(baseName(p));
    return out;
}

void command(const Player& player, WORD id) {
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// Files dropped from elsewhere, in a folder of their own.
std::vector<std::wstring> outsideFiles(const std::vector<std::wstring>& names) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    // Process ids come round again from run to run: the tick count keeps folders apart.
    std::wstring folder = std::wstring(temp) + L"zon-drop-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++);
    CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<std::wstring> paths;
    for (const std::wstring& n : names) {
        paths.push_back(folder + L"\\" + n);
        CopyFileW(mediaPath(L"clip320.avi").c_str(), paths.back().c_str(), FALSE);
    }
    return paths;
}

TEST(Lists, DroppedFilesGoSortedBehindThePlayingEntry) {
    auto entries = outsideFiles({L"e0.avi", L"e1.avi", L"e2.avi", L"e3.avi", L"e4.avi"});
    Player player("[PLAYLIST]\r\nIndex=2\r\n", {{L"default.m3u", m3u(entries)}});
    ASSERT_TRUE(player.started());
    Sleep(150); // the list loads 50 ms after start
    ASSERT_TRUE(player.roundTrip());
    command(player, 42001); // play the current entry
    auto dropped = outsideFiles({L"b.avi", L"a.avi"});
    ASSERT_TRUE(player.dropFiles(dropped));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(baseNames(pathLines(readBytes(player.file(L"default.m3u")))),
              (Names{"e0.avi", "e1.avi", "e2.avi", "a.avi", "b.avi", "e3.avi", "e4.avi"}));
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"2") << "entry 2 kept playing";
}

TEST(Lists, DroppingWhileStoppedPutsTheFilesFirstAndPlaysTheFirst) {
    Player player;
    ASSERT_TRUE(player.started());
    Sleep(150);
    auto dropped = outsideFiles({L"z.avi", L"y.avi"});
    ASSERT_TRUE(player.dropFiles(dropped));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(baseNames(pathLines(readBytes(player.file(L"default.m3u")))), (Names{"y.avi", "z.avi"}));
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"0");
}

TEST(Lists, AFolderDropAddsOnlyItsDirectFiles) {
    auto files = outsideFiles({L"b.avi", L"a.avi"});
    std::wstring folder = files[0].substr(0, files[0].rfind(L'\\'));
    CreateDirectoryW((folder + L"\\sub").c_str(), nullptr);
    CopyFileW(files[0].c_str(), (folder + L"\\sub\\deep.avi").c_str(), FALSE);
    Player player;
    ASSERT_TRUE(player.started());
    Sleep(150);
    ASSERT_TRUE(player.dropFiles({folder}));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(baseNames(pathLines(readBytes(player.file(L"default.m3u")))), (Names{"a.avi", "b.avi"}));
}

TEST(Lists, DropsFromAnotherActiveApplicationAreTaken) {
    Player player;
    ASSERT_TRUE(player.started());
    Sleep(150);
    HWND other = CreateWindowExW(0, L"STATIC", L"file manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(player.roundTrip());
    ASSERT_NE(GetForegroundWindow(), player.main());
    ASSERT_TRUE(player.dropFiles(outsideFiles({L"dragged.avi"})));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    DestroyWindow(other);
    EXPECT_EQ(baseNames(pathLines(readBytes(player.file(L"default.m3u")))), (Names{"dragged.avi"}));
}

TEST(Lists, TheLastEntryStopsWithoutLoopAndWrapsWithIt) {
    struct Case {
        const char* loop;
        const wchar_t* index;
    } cases[] = {{"0", L"-1"}, {"1", L"0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loop);
        std::vector<std::wstring> clip = {mediaPath(L"silent640.avi")};
        std::string settings = std::string("[PLAYLIST]\r\nIndex=0\r\nLoop=") + c.loop + "\r\n";
        Player player(settings, {{L"default.m3u", m3u(clip)}});
        ASSERT_TRUE(player.started());
        Sleep(150);
        command(player, 42001);
        Sleep(3000); // the two-second clip has ended
        EXPECT_EQ(player.close(), 0);
        EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), c.index);
        EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Loop"), std::wstring(c.loop, c.loop + 1));
    }
}

TEST(Lists, ExitWritesTheListAndSettingsAndARestartRestoresThem) {
    std::vector<std::wstring> paths = {L"C:\\music\\one.mp3", L"C:\\music\\two.mp3", L"D:\\three.avi"};
    Player first("[PLAYLIST]\r\nIndex=1\r\nLoop=1\r\n", {{L"default.m3u", m3u(paths)}});
    ASSERT_TRUE(first.started());
    Sleep(150);
    EXPECT_EQ(first.close(), 0);
    std::string list = readBytes(first.file(L"default.m3u"));
    EXPECT_EQ(list, m3u(paths));
    EXPECT_EQ(readSetting(first.settingsPath(), L"PLAYLIST", L"Index"), L"1");
    EXPECT_EQ(readSetting(first.settingsPath(), L"PLAYLIST", L"Loop"), L"1");
    EXPECT_EQ(readSetting(first.settingsPath(), L"WINDOW", L"Playlist.Visible"), L"1");
    EXPECT_EQ(readSetting(first.settingsPath(), L"WINDOW", L"Playlist.Width"), L"228");

    Player second("", {{L"default.m3u", list}, {L"ZonPlayer.ini", readBytes(first.settingsPath())}});
    ASSERT_TRUE(second.started());
    Sleep(150);
    EXPECT_EQ(second.close(), 0);
    EXPECT_EQ(readBytes(second.file(L"default.m3u")), list);
    EXPECT_EQ(readSetting(second.settingsPath(), L"PLAYLIST", L"Index"), L"1");
    EXPECT_EQ(readSetting(second.settingsPath(), L"PLAYLIST", L"Loop"), L"1");
}

TEST(Lists, AStoredIndexBeyondTheListMeansNoCurrentEntry) {
    std::vector<std::wstring> paths = {L"C:\\a.mp3", L"C:\\b.mp3"};
    Player player("[PLAYLIST]\r\nIndex=7\r\n", {{L"default.m3u", m3u(paths)}});
    ASSERT_TRUE(player.started());
    Sleep(150);
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"-1");
}
} // namespace
