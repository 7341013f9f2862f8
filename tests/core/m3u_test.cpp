#include "list_support.h"

#include <gtest/gtest.h>

namespace {
using Paths = std::vector<std::u16string>;

std::string written(Playlist& list, bool utf8Name = false) {
    return m3uText(list, kLatin1, utf8Name);
}

M3uRead read(const std::string& text, Playlist& list, bool utf8Name = false) {
    return parseM3u(text.data(), text.size(), list, kLatin1, utf8Name);
}

TEST(WriteM3u, TheTwoEntryExampleByteForByteAndBack) {
    TestList list(Paths{u"C:\\Music\\Song.mp3", u"C:\\Music\\Other.mp3"});
    list.entry(0).duration = 245;
    EXPECT_EQ(written(*list), "#EXTM3U\r\n#EXTINF:245,Song\r\nC:\\Music\\Song.mp3\r\nC:\\Music\\Other.mp3");

    TestList back;
    EXPECT_TRUE(read(written(*list), *back).whole);
    EXPECT_EQ(back.paths(), list.paths());
    EXPECT_EQ(back.entry(0).duration, 245);
    EXPECT_EQ(back.title(0), u"Song");
    EXPECT_EQ(back.entry(1).duration, 0);
    EXPECT_EQ(back.title(1), u"Other");
}

TEST(WriteM3u, EmptyListIsTheHeaderAloneAndNonPositiveDurationsWriteNoInformation) {
    TestList empty;
    EXPECT_EQ(written(*empty), "#EXTM3U");
    TestList list(Paths{u"C:\\a.mp3"});
    list.entry(0).duration = -1;
    list.entry(0).title = u"Kept only when played";
    EXPECT_EQ(written(*list), "#EXTM3U\r\nC:\\a.mp3");
}

TEST(WriteM3u, CharactersTheCodePageLacksMakeTheFileUtf8) {
    TestList plain(Paths{u"C:\\caf\u00E9.mp3"});
    EXPECT_EQ(written(*plain), "#EXTM3U\r\nC:\\caf\xE9.mp3") << "what the code page holds stays 8-bit";
    EXPECT_EQ(written(*plain, true), "#EXTM3U\r\nC:\\caf\xC3\xA9.mp3") << "a .m3u8 file is UTF-8";

    TestList wide(Paths{u"C:\\\u4E2D\u6587.mp3", u"C:\\caf\u00E9.mp3", u"C:\\\U0001F3B5.mp3"});
    wide.entry(1).duration = 61;
    std::string text = written(*wide);
    ASSERT_EQ(text.substr(0, 10), "\xEF\xBB\xBF#EXTM3U");
    TestList back;
    EXPECT_TRUE(read(text, *back).whole);
    EXPECT_EQ(back.paths(), wide.paths());
    EXPECT_EQ(back.title(1), u"caf\u00E9");

    TestList titled(Paths{u"C:\\plain.mp3"});
    titled.entry(0).duration = 5;
    titled.entry(0).title = u"\u4E2D";
    EXPECT_EQ(written(*titled).substr(0, 3), "\xEF\xBB\xBF") << "a written title counts too";
    titled.entry(0).duration = 0;
    EXPECT_EQ(written(*titled).substr(0, 3), "#EX") << "an unwritten one does not";
}

TEST(WriteM3u, AHundredThousandLongEntriesComeBackWhole) {
    TestList list;
    for (int i = 0; i < 100000; ++i) {
        AppendEntry(*list, u"C:\\" + std::u16string(300, u'd') + u"\\" + char16_t(u'a' + i % 26) + u".mp3");
        list.entry(i).duration = i + 1;
        list.entry(i).title = std::u16string(250, u't');
    }
    TestList back;
    M3uRead r = read(written(*list), *back);
    EXPECT_TRUE(r.whole);
    ASSERT_EQ(r.added, 100000);
    EXPECT_EQ(back.paths(), list.paths());
    EXPECT_EQ(back.entry(99999).duration, 100000);
    EXPECT_EQ(back.title(99999).size(), 250u);
}

struct ReadCase {
    const char* name;
    std::string text;
    Paths paths;
    std::vector<int> durations;
    Paths titles;
    bool whole;
    bool utf8Name = false;
};

TEST(ReadM3u, Records) {
    const std::string longPath = "C:\\" + std::string(300, 'p') + "\\x.mp3";
    const ReadCase cases[] = {
        {"CR LF",
         "#EXTM3U\r\n#EXTINF:10,T\r\nC:\\a.mp3\r\nC:\\b.mp3",
         {u"C:\\a.mp3", u"C:\\b.mp3"},
         {10, 0},
         {u"T", u"b"},
         true},
        {"LF after the header",
         "#EXTM3U\n#EXTINF:10,T\nC:\\a.mp3\nC:\\b.mp3",
         {u"C:\\a.mp3", u"C:\\b.mp3"},
         {10, 0},
         {u"T", u"b"},
         true},
        {"CR after the header",
         "#EXTM3U\rC:\\a.mp3\rC:\\b.mp3\r",
         {u"C:\\a.mp3", u"C:\\b.mp3"},
         {0, 0},
         {u"a", u"b"},
         true},
        {"no header: one path a line",
         "C:\\a.mp3\nC:\\b.mp3\r\n",
         {u"C:\\a.mp3", u"C:\\b.mp3"},
         {0, 0},
         {u"a", u"b"},
         true},
        {"no header: comments are left out",
         "# mine\n\nC:\\a.mp3\n#EXTINF:5,T\nC:\\b.mp3",
         {u"C:\\a.mp3", u"C:\\b.mp3"},
         {0, 0},
         {u"a", u"b"},
         false},
        {"a header with more on its line is none",
         "#EXTM3U x\r\nC:\\a.mp3",
         {u"C:\\a.mp3"},
         {0},
         {u"a"},
         false},
        {"a short plain list", "a.mp3", {u"a.mp3"}, {0}, {u""}, true},
        {"header alone", "#EXTM3U", {}, {}, {}, true},
        {"nothing at all", "", {}, {}, {}, true},
        {"byte-order mark and header", "\xEF\xBB\xBF#EXTM3U", {}, {}, {}, true},
        {"negative duration: the title would be lost",
         "#EXTM3U\r\n#EXTINF:-1,Title\r\nC:\\x.mp3",
         {u"C:\\x.mp3"},
         {-1},
         {u"Title"},
         false},
        {"negative duration, no title",
         "#EXTM3U\r\n#EXTINF:-1,\r\nC:\\x.mp3",
         {u"C:\\x.mp3"},
         {-1},
         {u"x"},
         true},
        {"no comma", "#EXTM3U\r\n#EXTINF:Some name\r\nC:\\x.mp3", {u"C:\\x.mp3"}, {0}, {u"Some name"}, false},
        {"a one-second entry", "#EXTM3U\r\n#EXTINF:1,T\r\nC:\\x.mp3", {u"C:\\x.mp3"}, {1}, {u"T"}, true},
        {"spaces and sign",
         "#EXTM3U\r\n#EXTINF: +12x,T,with,commas\r\nC:\\x.mp3",
         {u"C:\\x.mp3"},
         {12},
         {u"T,with,commas"},
         true},
        {"huge duration",
         "#EXTM3U\r\n#EXTINF:99999999999,T\r\nC:\\x.mp3",
         {u"C:\\x.mp3"},
         {2147483647},
         {u"T"},
         false},
        {"largest duration",
         "#EXTM3U\r\n#EXTINF:2147483647,T\r\nC:\\x.mp3",
         {u"C:\\x.mp3"},
         {2147483647},
         {u"T"},
         true},
        {"blank lines between",
         "#EXTM3U\r\n#EXTINF:5,T\r\n\r\n\r\nC:\\x.mp3\r\n\r\n\nC:\\y.mp3",
         {u"C:\\x.mp3", u"C:\\y.mp3"},
         {5, 0},
         {u"T", u"y"},
         true},
        {"blank line right after the header",
         "#EXTM3U\n\nC:\\x.mp3",
         {u"", u"C:\\x.mp3"},
         {0, 0},
         {u"", u"x"},
         true},
        {"information as the last line",
         "#EXTM3U\r\nC:\\x.mp3\r\n#EXTINF:7,Last",
         {u"C:\\x.mp3", u""},
         {0, 7},
         {u"x", u"Last"},
         true},
        {"NUL ends the text",
         std::string("#EXTM3U\r\nC:\\x.mp3\r\n\0C:\\y.mp3", 29),
         {u"C:\\x.mp3"},
         {0},
         {u"x"},
         false},
        {"bytes that are not text", "#EXTM3U\r\nC:\\\x81.mp3", {u"C:\\\u0081.mp3"}, {0}, {u"\u0081"}, false},
        {"UTF-8 without a mark",
         "#EXTM3U\r\nC:\\\xE4\xB8\xAD.mp3\r\nC:\\\xDF\xBF\xE0\xA0\x80.mp3",
         {u"C:\\\u4E2D.mp3", u"C:\\\u07FF\u0800.mp3"},
         {0, 0},
         {u"\u4E2D", u"\u07FF\u0800"},
         true},
        {"not UTF-8: the code page",
         "#EXTM3U\r\nC:\\caf\xE9.mp3",
         {u"C:\\caf\u00E9.mp3"},
         {0},
         {u"caf\u00E9"},
         true},
        {"an overlong sequence is not UTF-8",
         "C:\\\xC0\xAF.mp3",
         {u"C:\\\u00C0\u00AF.mp3"},
         {0},
         {u"\u00C0\u00AF"},
         true},
        {"a .m3u8 file is UTF-8",
         "C:\\caf\xE9.mp3",
         {u"C:\\caf\uFFFD.mp3"},
         {0},
         {u"caf\uFFFD"},
         false,
         true},
        {"long fields stay whole",
         "#EXTM3U\r\n#EXTINF:3," + std::string(400, 't') + "\r\n" + longPath,
         {u"C:\\" + std::u16string(300, u'p') + u"\\x.mp3"},
         {3},
         {std::u16string(400, u't')},
         true},
        {"relative paths stay as they are", "#EXTM3U\r\nmusic\\a.mp3", {u"music\\a.mp3"}, {0}, {u"a"}, true},
    };
    for (const ReadCase& c : cases) {
        TestList list;
        M3uRead r = read(c.text, *list, c.utf8Name);
        EXPECT_EQ(list.paths(), c.paths) << c.name;
        EXPECT_EQ(r.added, static_cast<int>(c.paths.size())) << c.name;
        EXPECT_EQ(r.whole, c.whole) << c.name;
        for (int i = 0; i < list->count() && i < static_cast<int>(c.durations.size()); ++i) {
            EXPECT_EQ(list.entry(i).duration, c.durations[i]) << c.name << " #" << i;
            EXPECT_EQ(list.title(i), c.titles[i]) << c.name << " #" << i;
        }
    }
}

TEST(ReadM3u, AppendsToWhatIsThereFromTheBytesGivenOnly) {
    TestList list(Paths{u"C:\\first.mp3"});
    read("#EXTM3U\r\nC:\\second.mp3", *list);
    const char text[] = "C:\\\xE4\xB8\xAD.mp3\xFF"; // the broken byte after the end is not the list's
    parseM3u(text, sizeof text - 2, *list, kLatin1, false);
    EXPECT_EQ(list.paths(), (Paths{u"C:\\first.mp3", u"C:\\second.mp3", u"C:\\\u4E2D.mp3"}));
}

TEST(ListFileNames, M3uAndM3u8InAnyCase) {
    struct Case {
        const char16_t* path;
        bool list, utf8;
    } cases[] = {
        {u"C:\\a.m3u", true, false},    {u"C:\\a.M3U8", true, true}, {u".m3u", true, false},
        {u"C:\\a.m3u8x", false, false}, {u"m3u", false, false},      {u"C:\\a.mp3", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isListFileName(c.path), c.list) << std::u16string(c.path).size();
        EXPECT_EQ(isUtf8ListFileName(c.path), c.utf8);
    }
}

TEST(Utf8, BrokenSequencesAreReplacedAndReported) {
    std::u16string out;
    EXPECT_FALSE(utf8ToUtf16("a\xFF\xC3", 3, out));
    EXPECT_EQ(out, u"a\uFFFD\uFFFD");
    out.clear();
    EXPECT_FALSE(utf8ToUtf16("\xC0\xAF\xED\xA0\x80", 5, out)) << "an overlong slash, an encoded surrogate";
    EXPECT_EQ(out, u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    out.clear();
    EXPECT_TRUE(utf8ToUtf16("\xF0\x9F\x8E\xB5", 4, out));
    EXPECT_EQ(out, u"\U0001F3B5");
    std::string back;
    utf16ToUtf8(u"\u07FF\u0800\U0001F3B5\xD800", 5, back);
    EXPECT_EQ(back, "\xDF\xBF\xE0\xA0\x80\xF0\x9F\x8E\xB5\xEF\xBF\xBD") << "a lone surrogate becomes U+FFFD";
}
} // namespace
