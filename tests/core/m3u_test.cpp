#include "list_support.h"

#include <gtest/gtest.h>

namespace {
using Paths = std::vector<std::u16string>;

std::string written(Playlist& list, std::vector<std::size_t>* pieces = nullptr) {
    std::string out;
    bool ok = writeM3u(list, kLatin1, [&](const char* data, std::size_t size) {
        if (pieces != nullptr)
            pieces->push_back(size);
        out.append(data, size);
        return true;
    });
    EXPECT_TRUE(ok);
    return out;
}

void read(const std::string& text, Playlist& list) {
    parseM3u(text.data(), text.size(), list, kLatin1);
}

TEST(WriteM3u, TheTwoEntryExampleByteForByte) {
    TestList list(Paths{u"C:\\Music\\Song.mp3", u"C:\\Music\\Other.mp3"});
    list->entries[0]->duration = 245;
    EXPECT_EQ(written(*list), "#EXTM3U\r\n#EXTINF:245,Song\r\nC:\\Music\\Song.mp3\r\nC:\\Music\\Other.mp3");

    TestList back;
    read(written(*list), *back);
    ASSERT_EQ(back->count, 2);
    EXPECT_EQ(back.path(0), u"C:\\Music\\Song.mp3");
    EXPECT_EQ(back->entries[0]->duration, 245);
    EXPECT_EQ(back.title(0), u"Song");
    EXPECT_EQ(back.path(1), u"C:\\Music\\Other.mp3");
    EXPECT_EQ(back->entries[1]->duration, 0);
    EXPECT_EQ(back.title(1), u"Other");
}

TEST(WriteM3u, EmptyListIsTheHeaderAloneAndNonPositiveDurationsWriteNoInformation) {
    TestList empty;
    EXPECT_EQ(written(*empty), "#EXTM3U");
    TestList list(Paths{u"C:\\a.mp3"});
    list->entries[0]->duration = -1;
    copyTextWhole(list->entries[0]->title, kTitleUnits, u"Kept only when played");
    EXPECT_EQ(written(*list), "#EXTM3U\r\nC:\\a.mp3");
}

struct ReadCase {
    const char* name;
    std::string text;
    Paths paths;
    std::vector<int> durations;
    Paths titles;
};

TEST(ReadM3u, Records) {
    const ReadCase cases[] = {
        {"LF line ends",
         "#EXTM3U\r\n#EXTINF:10,T\nC:\\a.mp3\nC:\\b.mp3",
         {u"C:\\a.mp3", u"C:\\b.mp3"},
         {10, 0},
         {u"T", u"b"}},
        {"CR line ends",
         "#EXTM3U\r\nC:\\a.mp3\rC:\\b.mp3\r",
         {u"C:\\a.mp3", u"C:\\b.mp3"},
         {0, 0},
         {u"a", u"b"}},
        {"negative duration", "#EXTM3U\r\n#EXTINF:-1,Title\r\nC:\\x.mp3", {u"C:\\x.mp3"}, {-1}, {u"Title"}},
        {"no comma", "#EXTM3U\r\n#EXTINF:Some name\r\nC:\\x.mp3", {u"C:\\x.mp3"}, {0}, {u"Some name"}},
        {"no digits", "#EXTM3U\r\n#EXTINF:abc,T\r\nC:\\x.mp3", {u"C:\\x.mp3"}, {0}, {u"T"}},
        {"spaces and sign",
         "#EXTM3U\r\n#EXTINF: +12x,T,with,commas\r\nC:\\x.mp3",
         {u"C:\\x.mp3"},
         {12},
         {u"T,with,commas"}},
        {"huge duration",
         "#EXTM3U\r\n#EXTINF:99999999999,T\r\nC:\\x.mp3",
         {u"C:\\x.mp3"},
         {2147483647},
         {u"T"}},
        {"blank lines between",
         "#EXTM3U\r\n#EXTINF:5,T\r\n\r\n\r\nC:\\x.mp3\r\n\r\n\nC:\\y.mp3",
         {u"C:\\x.mp3", u"C:\\y.mp3"},
         {5, 0},
         {u"T", u"y"}},
        {"blank line right after the header",
         "#EXTM3U\r\n\r\nC:\\x.mp3",
         {u"", u"C:\\x.mp3"},
         {0, 0},
         {u"", u"x"}},
        {"information as the last line",
         "#EXTM3U\r\nC:\\x.mp3\r\n#EXTINF:7,Last",
         {u"C:\\x.mp3", u""},
         {0, 7},
         {u"x", u"Last"}},
        {"NUL ends the text",
         std::string("#EXTM3U\r\nC:\\x.mp3\r\n\0C:\\y.mp3", 29),
         {u"C:\\x.mp3"},
         {0},
         {u"x"}},
        {"relative paths stay as they are", "#EXTM3U\r\nmusic\\a.mp3", {u"music\\a.mp3"}, {0}, {u"a"}},
        {"lone LF after the header", "#EXTM3U\nC:\\x.mp3\r\nC:\\y.mp3", {}, {}, {}},
        {"no header", "C:\\x.mp3\r\nC:\\y.mp3\r\nC:\\z.mp3", {}, {}, {}},
        {"header alone", "#EXTM3U", {}, {}, {}},
        {"byte-order mark before an ANSI header", "\xEF\xBB\xBF#EXTM3U", {}, {}, {}},
    };
    for (const ReadCase& c : cases) {
        TestList list;
        read(c.text, *list);
        EXPECT_EQ(list.paths(), c.paths) << c.name;
        for (int i = 0; i < list->count && i < static_cast<int>(c.durations.size()); ++i) {
            EXPECT_EQ(list->entries[i]->duration, c.durations[i]) << c.name << " #" << i;
            EXPECT_EQ(list.title(i), c.titles[i]) << c.name << " #" << i;
        }
    }
}

TEST(ReadM3u, AppendsToWhatIsThere) {
    TestList list(Paths{u"C:\\first.mp3"});
    read("#EXTM3U\r\nC:\\second.mp3", *list);
    EXPECT_EQ(list.paths(), (Paths{u"C:\\first.mp3", u"C:\\second.mp3"}));
}

TEST(ReadM3u, OverLongFieldsAndAFullList) {
    std::string longPath = "C:\\" + std::string(300, 'p') + ".mp3";
    std::string longTitle(400, 't');
    TestList list;
    read("#EXTM3U\r\n#EXTINF:3," + longTitle + "\r\n" + longPath + "\r\n#EXTINF:4," + longTitle +
             "\r\nC:\\ok.mp3",
         *list);
    ASSERT_EQ(list->count, 1) << "a path too long for the entry is skipped with its information";
    EXPECT_EQ(list.path(0), u"C:\\ok.mp3");
    EXPECT_EQ(list.title(0).size(), kTitleUnits - 1) << "a long title is cut";
    EXPECT_EQ(list->entries[0]->duration, 4);

    TestList full;
    for (int i = 0; i < kPlaylistCapacity - 1; ++i)
        AppendEntry(*full, u"C:\\x.mp3");
    std::string three = "#EXTM3U\r\nC:\\1.mp3\r\nC:\\2.mp3\r\nC:\\3.mp3";
    EXPECT_FALSE(parseM3u(three.data(), three.size(), *full, kLatin1));
    EXPECT_EQ(full->count, kPlaylistCapacity);
    EXPECT_EQ(full.path(kPlaylistCapacity - 1), u"C:\\1.mp3");
}

TEST(M3uCodePage, UnrepresentableCharactersSwitchTheFileToUtf8) {
    TestList plain(Paths{u"C:\\caf\u00E9.mp3"});
    std::string text = written(*plain);
    EXPECT_EQ(text, "#EXTM3U\r\nC:\\caf\xE9.mp3") << "what the code page holds stays 8-bit text";

    TestList wide(Paths{u"C:\\\u4E2D\u6587.mp3", u"C:\\caf\u00E9.mp3", u"C:\\\U0001F3B5.mp3"});
    wide->entries[1]->duration = 61;
    text = written(*wide);
    ASSERT_EQ(text.substr(0, 10), "\xEF\xBB\xBF#EXTM3U");
    TestList back;
    read(text, *back);
    EXPECT_EQ(back.paths(), wide.paths());
    EXPECT_EQ(back->entries[1]->duration, 61);
    EXPECT_EQ(back.title(1), u"caf\u00E9");

    TestList titled(Paths{u"C:\\plain.mp3"});
    titled->entries[0]->duration = 5;
    copyTextWhole(titled->entries[0]->title, kTitleUnits, u"\u4E2D");
    EXPECT_EQ(written(*titled).substr(0, 3), "\xEF\xBB\xBF") << "a written title counts too";
}

TEST(M3uCodePage, Utf8ReaderReplacesBrokenSequences) {
    TestList list;
    read("\xEF\xBB\xBF#EXTM3U\r\nC:\\a\xFF\xC3.mp3\r\nC:\\\xE4\xB8\xAD.mp3", *list);
    EXPECT_EQ(list.paths(), (Paths{u"C:\\a\uFFFD\uFFFD.mp3", u"C:\\\u4E2D.mp3"}));
}

TEST(WriteM3u, LongListsAreWrittenInPiecesUnderTheBuffer) {
    TestList list;
    for (int i = 0; i < kPlaylistCapacity; ++i) {
        std::u16string p = u"C:\\" + std::u16string(200, u'd') + u"\\" +
                           std::u16string(1, char16_t(u'a' + i % 26)) + u".mp3";
        AppendEntry(*list, p.c_str());
        list->entries[i]->duration = i + 1;
    }
    std::vector<std::size_t> pieces;
    std::string text = written(*list, &pieces);
    EXPECT_GT(pieces.size(), 10u);
    for (std::size_t size : pieces)
        EXPECT_LT(size, kM3uWriteBuffer);
    TestList back;
    read(text, *back);
    ASSERT_EQ(back->count, kPlaylistCapacity);
    EXPECT_EQ(back.paths(), list.paths());
    EXPECT_EQ(back->entries[4095]->duration, 4096);
}

TEST(WriteM3u, AFailedWriteIsReported) {
    TestList list(Paths{u"C:\\a.mp3"});
    EXPECT_FALSE(writeM3u(*list, kLatin1, [](const char*, std::size_t) { return false; }));
}
} // namespace
