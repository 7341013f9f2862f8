// The play list of the test process: its docked window (rows, pointer and menu, through the system's
// input where a person would use it) and its files against the real file system, code page and locale.
#include "support.h"

#include "app/shell.h"
#include "core/timers.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/menu_bar.h"
#include "win32/program_location.h"
#include "win32/wide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
// A press or release of the left button, once this thread has seen it.
void leftButton(bool down) {
    mouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    eventually([down] { return (GetKeyState(VK_LBUTTON) < 0) == down; });
}

class ListWindow : public PlayerTest {
protected:
    void SetUp() override {
        atRest();
        for (int i = 0; i < 30; ++i)
            AppendEntry(mainList, u"C:\\music\\song" + std::u16string(1, char16_t(u'a' + i % 26)) + u".mp3");
        RedrawList();
    }
};

TEST_F(ListWindow, RowsAreStripedByTheirPlace) {
    const COLORREF first = RGB(0, 111, 198), second = RGB(0, 96, 182), selected = RGB(0, 204, 102);
    for (int top : {0, 1, -1}) {
        mainList.selected = top < 0 ? mainList.top : -1;
        ScrollTo(top < 0 ? mainList.top : top);
        RedrawList();
        Capture c = capture(playlistWindow, false);
        EXPECT_EQ(c.at(1, kListTop + 7), top < 0 ? selected : first) << "first visible row, top " << top;
        EXPECT_EQ(c.at(1, kListTop + kRowHeight + 7), second) << "second visible row";
        EXPECT_EQ(std::count(c.pixels.begin(), c.pixels.end(), 0xFF00FFu), 0)
            << "the scroll bar's glyphs let its face show through their magenta";
    }
}

// Which row a key selects is the list's (tested in core); clicks are the window's.
TEST_F(ListWindow, AClickSelectsARowAndADoubleClickPlaysIt) {
    ClearPlaylist(mainList);
    AppendEntry(mainList, asU16(mediaPath(L"silent320.avi").c_str()));
    AppendEntry(mainList, asU16(mediaPath(L"silent640.avi").c_str()));
    RedrawList();
    SendMessageW(playlistWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, kListTop + kRowHeight + 3));
    EXPECT_EQ(mainList.selected, 1);
    SendMessageW(playlistWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, kListTop + 10 * kRowHeight));
    EXPECT_EQ(mainList.selected, 1) << "below the last entry nothing changes";
    SendMessageW(playlistWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(mainList.current, 1) << "a double click plays the selected entry";
    EXPECT_EQ(playbackState, Playing);
}

TEST_F(ListWindow, TheWheelAndAHeldScrollButtonScrollAndWhatThePointerRestsOnStaysLit) {
    for (auto [delta, top] : {std::pair{-120, 1}, {60, 1}, {60, 0}}) {
        SendMessageW(playlistWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        EXPECT_EQ(mainList.top, top) << "a row a notch";
    }
    // Resting is shown over two periods of the hover timer, which is what would unlight them.
    pointerTo(playlistWindow, 10, 5);
    ASSERT_EQ(listMenuHotItem, 0);
    pumpMessages(2 * kListHoverPeriod);
    EXPECT_EQ(listMenuHotItem, 0) << "resting on the strip's first title";
    RECT r;
    GetClientRect(playlistWindow, &r);
    pointerTo(playlistWindow, r.right - 5, r.bottom - 5); // the down button
    ASSERT_EQ(hotPart, PartDown);
    EXPECT_EQ(listMenuHotItem, -1);
    pumpMessages(2 * kListHoverPeriod);
    EXPECT_EQ(hotPart, PartDown) << "resting on the down button";
    leftButton(true);
    EXPECT_EQ(mainList.top, 0) << "nothing scrolls at the press";
    // Held, it scrolls a row a tick: each tick is seen on its own.
    for (int row = 1; row <= 2; ++row)
        EXPECT_TRUE(eventually([row] { return mainList.top >= row; }) && mainList.top == row) << row;
    pointerTo(mainWindow, 40, 40); // over the video
    leftButton(false);
    const int top = mainList.top;
    pumpMessages(2 * kScrollRepeatPeriod); // two ticks of a repeat that would still run
    EXPECT_EQ(mainList.top, top) << "released away from the button, the press has ended";
    EXPECT_EQ(pressedPart, PartNone);
    EXPECT_TRUE(eventually([] { return hotPart == PartNone; }, 1000)) << "unlit once the pointer left";
}

using Paths = std::vector<std::wstring>;
using List = PlayerTest;

TEST_F(List, AddFolderTakesItsOwnFilesSkipsHiddenNamesOpensListsAndKeepsLongNamesWhole) {
    std::wstring folder = freshFolder(L"folder");
    CreateDirectoryW((folder + L"\\sub").c_str(), nullptr);
    writeFile(folder + L"\\sub\\deep.mp3", "x"); // not a file of the folder's own
    writeFile(folder + L"\\a.mp3", "x");
    writeFile(folder + L"\\notes.txt", "x");
    writeFile(folder + L"\\.hidden.mp3", "x");
    writeFile(folder + L"\\inner.M3U", "#EXTM3U\r\nC:\\listed.mp3");
    writeFile(folder + L"\\a.m3u8", "#EXTM3U\r\nC:\\\xE6\xAD\x8C.mp3");
    writeFile(folder + L"\\junk.m3u", std::string("\0\1\2", 3));
    // A name that takes the path past MAX_PATH (the folder is longer than 10) is added whole.
    std::wstring longName(250, L'n'); // a name may hold 255 characters at the most
    writeFile(L"\\\\?\\" + folder + L"\\" + longName, "x");
    batchAdding = true;
    AddFolder((folder + L"\\").c_str());
    batchAdding = false;
    Paths got = listPaths(), expected = {L"C:\\listed.mp3", L"C:\\歌.mp3", folder + L"\\a.mp3",
                                         folder + L"\\notes.txt", folder + L"\\" + longName};
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
    AddFolder((folder + L"\\missing").c_str());
    EXPECT_EQ(listPaths().size(), expected.size()) << "a missing folder adds nothing";
}

TEST_F(List, ChinesePathsSurviveSaveAndReloadInTheSystemCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with the Chinese code page of the player's users";
    std::wstring folder = freshFolder(L"cp");
    // Each list starts with 歌 in GBK, or in UTF-8 with a byte-order mark where a path holds what
    // GBK has not (Thai, an emoji).
    const std::pair<Paths, const char*> cases[] = {
        {{L"C:\\音乐\\歌曲.mp3", L"D:\\视频\\电影 (2024).avi"}, "#EXTM3U\r\n#EXTINF:61,\xB8\xE8"},
        {{L"C:\\音乐\\歌曲.mp3", L"C:\\ไทย\\เพลง.mp3", L"C:\\\U0001F3B5.mp3"}, "\xEF\xBB\xBF#EXTM3U"},
    };
    for (const auto& [paths, start] : cases) {
        ClearPlaylist(mainList);
        for (const std::wstring& p : paths)
            AppendEntry(mainList, asU16(p.c_str()));
        mainList.entries[0]->duration = 61;
        std::wstring file = folder + L"\\list.m3u";
        mainList.fileName = asU16(file.c_str());
        ASSERT_TRUE(WriteM3u());
        EXPECT_EQ(readFile(file).rfind(start, 0), 0u) << paths.size();
        ClearPlaylist(mainList);
        EXPECT_TRUE(ReadM3u(file.c_str()).whole);
        EXPECT_EQ(listPaths(), paths);
        EXPECT_EQ(mainList.entries[0]->duration, 61);
        EXPECT_EQ(mainList.entries[0]->title, u"歌曲");
    }
}

TEST_F(List, AFailedSaveLeavesTheOldListInPlace) {
    std::wstring folder = freshFolder(L"save");
    std::wstring file = folder + L"\\default.m3u";
    writeFile(file, "#EXTM3U\r\nC:\\old.mp3");
    // Something in the way of the temporary file makes the write fail before anything is replaced.
    CreateDirectoryW((file + L".saving").c_str(), nullptr);
    AppendEntry(mainList, u"C:\\new.mp3");
    mainList.fileName = asU16(file.c_str());
    EXPECT_FALSE(WriteM3u());
    EXPECT_EQ(readFile(file), "#EXTM3U\r\nC:\\old.mp3");
    RemoveDirectoryW((file + L".saving").c_str());
    EXPECT_TRUE(WriteM3u());
    EXPECT_EQ(readFile(file), "#EXTM3U\r\nC:\\new.mp3");
    EXPECT_EQ(GetFileAttributesW((file + L".saving").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no temporary left";

    // A list whose name, with the temporary's ending, goes past MAX_PATH is still written.
    std::wstring deep = folder + L"\\" + std::wstring(MAX_PATH - folder.size() - 8, L'd') + L".m3u";
    ASSERT_LT(deep.size(), static_cast<std::size_t>(MAX_PATH));
    mainList.fileName = asU16(deep.c_str());
    EXPECT_TRUE(WriteM3u());
    EXPECT_EQ(readFile(deep), "#EXTM3U\r\nC:\\new.mp3");
}

TEST(StateFolder, KeptWhereAFileCanBeMadeAndNeitherFileRefusesWriting) {
    // A file only held open elsewhere for now is no reason to move the state away.
    enum { Plain, ReadOnlySettings, ReadOnlyList, ListIsAFolder, NoFolder, ListHeldOpen };
    for (int c = Plain; c <= ListHeldOpen; ++c) {
        std::wstring folder = freshFolder(L"state") + L"\\";
        std::wstring settings = folder + L"ZonPlayer.ini", list = folder + L"default.m3u";
        writeFile(settings, "[PLAYLIST]\r\n");
        if (c == ListIsAFolder)
            CreateDirectoryW(list.c_str(), nullptr);
        else
            writeFile(list, "#EXTM3U");
        if (c == ReadOnlySettings || c == ReadOnlyList)
            SetFileAttributesW((c == ReadOnlySettings ? settings : list).c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE held = c == ListHeldOpen
                          ? CreateFileW(list.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                          : INVALID_HANDLE_VALUE;
        EXPECT_EQ(canKeepStateIn(c == NoFolder ? folder + L"gone\\" : folder, L"ZonPlayer.ini"),
                  c == Plain || c == ListHeldOpen)
            << c;
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
    }
}

} // namespace
