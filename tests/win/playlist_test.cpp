// The play list against the real file system, code page and media.
#include "support.h"

#include "app/shell.h"
#include "win32/wide.h"
#include "engine/media.h"
#include "playlist/playlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
using Paths = std::vector<std::wstring>;

class List : public testing::Test {
protected:
    void SetUp() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
        loopFlag = false;
        sortMode = SortByPath;
    }
    void TearDown() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
        loopFlag = false;
    }
};

TEST_F(List, AddFolderTakesOnlyTheFilesDirectlyInIt) {
    std::wstring folder = freshFolder(L"folder");
    writeFile(folder + L"\\a.mp3", "x");
    writeFile(folder + L"\\notes.txt", "x");
    writeFile(folder + L"\\.hidden.mp3", "x");
    CreateDirectoryW((folder + L"\\sub").c_str(), nullptr);
    writeFile(folder + L"\\sub\\deep.mp3", "x");
    writeFile(folder + L"\\inner.M3U", "#EXTM3U\r\nC:\\listed.mp3\r\nC:\\also.mp3");
    writeFile(folder + L"\\a.m3u8", "#EXTM3U\r\nC:\\\xE6\xAD\x8C.mp3");
    // A name that takes the path past MAX_PATH (the folder is longer than 10) is added whole.
    std::wstring longName(250, L'n'); // a name may hold 255 characters at the most
    writeFile(L"\\\\?\\" + folder + L"\\" + longName, "x");
    batchAdding = true;
    AddFolder((folder + L"\\").c_str());
    batchAdding = false;
    Paths got = listPaths();
    std::sort(got.begin(), got.end());
    Paths expected = {L"C:\\also.mp3",     L"C:\\listed.mp3",       L"C:\\歌.mp3",
                      folder + L"\\a.mp3", folder + L"\\notes.txt", folder + L"\\" + longName};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
    AddFolder((folder + L"\\missing").c_str());
    EXPECT_EQ(activeList->count(), 6) << "a missing folder adds nothing";
}

TEST_F(List, ChineseAndOtherPathsSurviveSaveAndReload) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with the Chinese code page of the player's users";
    std::wstring folder = freshFolder(L"cp");
    const struct {
        const wchar_t* name;
        Paths paths;
        const char* start;
        bool gbk;
    } cases[] = {
        {L"list.m3u", {L"C:\\音乐\\歌曲.mp3", L"D:\\视频\\电影 (2024).avi"}, "#EXTM3U", true},
        // Thai and an emoji are not in GBK.
        {L"list.m3u",
         {L"C:\\音乐\\歌曲.mp3", L"C:\\ไทย\\เพลง.mp3", L"C:\\\U0001F3B5.mp3"},
         "\xEF\xBB\xBF#EXTM3U",
         false},
        {L"list.M3U8", {L"C:\\音乐\\歌曲.mp3", L"D:\\视频\\电影.avi"}, "#EXTM3U", false}, // UTF-8 by its name
    };
    for (const auto& c : cases) {
        ClearPlaylist(mainList);
        for (const std::wstring& p : c.paths)
            AppendEntry(mainList, asU16(p.c_str()));
        mainList.entries[0]->duration = 61;
        std::wstring file = folder + L"\\" + c.name;
        mainList.fileName = asU16(file.c_str());
        ASSERT_TRUE(WriteM3u());
        std::string bytes = readFile(file);
        EXPECT_EQ(bytes.rfind(c.start, 0), 0u);
        EXPECT_EQ(bytes.find("\xD2\xF4\xC0\xD6") != std::string::npos, c.gbk) << "音乐 in GBK";
        ClearPlaylist(mainList);
        EXPECT_TRUE(ReadM3u(file.c_str()).whole);
        EXPECT_EQ(listPaths(), c.paths);
        EXPECT_EQ(mainList.entries[0]->duration, 61);
        EXPECT_EQ(mainList.entries[0]->title, u"歌曲");
    }
    // Another player's list in UTF-8 without a byte-order mark is not read as GBK.
    std::wstring other = folder + L"\\other.m3u";
    writeFile(other, "#EXTM3U\n\xE9\x9F\xB3\xE4\xB9\x90\\a.mp3\n");
    ClearPlaylist(mainList);
    EXPECT_TRUE(ReadM3u(other.c_str()).whole);
    EXPECT_EQ(listPaths(), (Paths{L"音乐\\a.mp3"}));
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

TEST_F(List, ListFilesAreRecognisedByTheirEnding) {
    std::wstring folder = freshFolder(L"kind");
    writeFile(folder + L"\\List.M3U", "#EXTM3U\r\nC:\\one.mp3\r\nC:\\two.mp3");
    writeFile(folder + L"\\a.m3u8", "C:\\three.mp3");
    writeFile(folder + L"\\junk.m3u", std::string("\0\1\2", 3));
    batchAdding = true;
    AddFile((folder + L"\\List.M3U").c_str());
    AddFile((folder + L"\\a.m3u8").c_str());
    AddFile((folder + L"\\junk.m3u").c_str());
    AddFile((folder + L"\\absent.m3u").c_str());
    AddFile(L"C:\\x.m3");
    batchAdding = false;
    EXPECT_EQ(listPaths(), (Paths{L"C:\\one.mp3", L"C:\\two.mp3", L"C:\\three.mp3", L"C:\\x.m3"}));
}

TEST(SortKeys, OrderTextsExactlyAsTheComparisonDoes) {
    const wchar_t* texts[] = {
        L"a",  L"A",    L"b",    L"B",  L"co-op", L"coop",      L"coop2",     L"coop10", L"é",    L"e",
        L"f",  L"歌曲", L"音乐", L"zz", L"Z:\\x", L"C:\\Music", L"c:\\music", L"",       L"it's", L"its",
        L"ab", L"a b",  L"a.b",  L"1",  L"10",    L"2",         L"ÄÖ",        L"ao",     L"中文", L"\u0301a"};
    std::vector<std::u16string> all;
    for (const wchar_t* t : texts)
        all.push_back(asU16(t));
    for (const auto& x : all) {
        for (const auto& y : all) {
            std::string kx, ky;
            sortKeyOf(x.c_str(), kx);
            sortKeyOf(y.c_str(), ky);
            int byCompare = lstrcmpW(asWide(x.c_str()), asWide(y.c_str()));
            int byKey = kx < ky ? -1 : (ky < kx ? 1 : 0);
            EXPECT_EQ(byCompare < 0 ? -1 : (byCompare > 0 ? 1 : 0), byKey)
                << std::wstring(asWide(x.c_str())).size() << " vs " << std::wstring(asWide(y.c_str())).size();
        }
    }
}
} // namespace
