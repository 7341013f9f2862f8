#include "list_support.h"

#include <gtest/gtest.h>

namespace {
M3uRead read(const std::string& text, Playlist& list, bool utf8Name = false) {
    return parseM3u(text.data(), text.size(), list, kLatin1, utf8Name);
}

TEST(WriteM3u, CodePageTextWhenItHoldsEverythingElseUtf8AndBackWhole) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::tuple<std::string, bool, std::string> cases[] = {
        {"", false, "#EXTM3U"},
        {"C:\\Music\\Song.mp3,245|C:\\Music\\Other.mp3|C:\\Short.mp3,1", false,
         "#EXTM3U\r\n#EXTINF:245,Song\r\nC:\\Music\\Song.mp3\r\nC:\\Music\\Other.mp3\r\n"
         "#EXTINF:1,Short\r\nC:\\Short.mp3"},
        // A title is written only with a known length.
        {"C:\\a.mp3,-1,Kept only when played|C:\\b.mp3,0,\xE4\xB8\xAD", false,
         "#EXTM3U\r\nC:\\a.mp3\r\nC:\\b.mp3"},
        {"C:\\caf\xC3\xA9.mp3", false, "#EXTM3U\r\nC:\\caf\xE9.mp3"},
        {"C:\\caf\xC3\xA9.mp3", true, "#EXTM3U\r\nC:\\caf\xC3\xA9.mp3"},
        {"C:\\\xE4\xB8\xAD.mp3|C:\\caf\xC3\xA9.mp3,61|C:\\\xF0\x9F\x8E\xB5.mp3", false,
         bom + "#EXTM3U\r\nC:\\\xE4\xB8\xAD.mp3\r\n#EXTINF:61,caf\xC3\xA9\r\nC:\\caf\xC3\xA9.mp3\r\n"
               "C:\\\xF0\x9F\x8E\xB5.mp3"},
        {"C:\\a.mp3,5,\xE4\xB8\xAD", false, bom + "#EXTM3U\r\n#EXTINF:5,\xE4\xB8\xAD\r\nC:\\a.mp3"},
        {"C:\\a.mp3,5," + std::string(40, 't'), false,
         "#EXTM3U\r\n#EXTINF:5," + std::string(40, 't') + "\r\nC:\\a.mp3"},
        // Code-page bytes that read as UTF-8 would come back as another name.
        {"C:\\\xC3\x83\xC2\xA9.mp3", false, bom + "#EXTM3U\r\nC:\\\xC3\x83\xC2\xA9.mp3"},
    };
    for (const auto& [entries, utf8Name, written] : cases) {
        SCOPED_TRACE(testing::PrintToString(entries)); // escaped: the bytes need not be text
        Playlist list = listOf(entries), back;
        std::string text = m3uText(list, kLatin1, utf8Name);
        EXPECT_EQ(text, written);
        EXPECT_TRUE(read(text, back, utf8Name).whole);
        EXPECT_EQ(shown(back), shown(list));
    }
}

TEST(ReadM3u, Records) {
    const std::string longPath = "C:\\" + std::string(300, 'p') + "\\x.mp3";
    const std::string tabs = "\t \t";
    struct Case {
        std::string text, entries; // entries as shown with details
        bool whole, utf8Name = false;
    } cases[] = {
        {"#EXTM3U\r\n#EXTINF:10,T\r\nC:\\a.mp3\r\nC:\\b.mp3", "C:\\a.mp3,10,T|C:\\b.mp3,0,b", true},
        {"#EXTM3U\rC:\\a.mp3\rC:\\b.mp3\r", "C:\\a.mp3,0,a|C:\\b.mp3,0,b", true},
        {"C:\\a.mp3\nC:\\b.mp3\r\n", "C:\\a.mp3,0,a|C:\\b.mp3,0,b", true},
        {"#EXTM3U", "", true},
        {"", "", true},
        // Comments and tags, anywhere, are skipped: they neither make entries nor part a title from
        // its path. A second information line supersedes the first, and a last one makes nothing.
        {"# mine\n\nC:\\a.mp3\n#EXTINF:5,T\nC:\\b.mp3", "C:\\a.mp3,0,a|C:\\b.mp3,5,T", false},
        {"#EXTM3U\r\n#PLAYLIST:Mix\r\n#EXTINF:5,T\r\n#EXTVLCOPT:start-time=3\r\n#EXTGRP:Rock\r\n#\r\n"
         "C:\\a.mp3",
         "C:\\a.mp3,5,T", false},
        {"#EXTM3U\r\n#EXT-X-STREAM-INF:BANDWIDTH=1\r\nhttp://h/low.m3u8", "http://h/low.m3u8,0,low", false},
        {"#EXTM3U x\r\nC:\\a.mp3", "C:\\a.mp3,0,a", false},
        // Two lists run together: the second header is a line the list cannot keep.
        {"#EXTM3U\r\nC:\\a.mp3\r\n#EXTM3U\r\nC:\\b.mp3", "C:\\a.mp3,0,a|C:\\b.mp3,0,b", false},
        {"#EXTM3U\r\nC:\\x.mp3\r\n#EXTINF:7,Last", "C:\\x.mp3,0,x", false},
        {"#EXTM3U\r\n#EXTINF:7,A\r\n#EXTINF:8,B\r\nC:\\x.mp3", "C:\\x.mp3,8,B", false},
        // White space around a line is not part of it; blank lines are never entries.
        {"#EXTM3U\n\nC:\\x.mp3", "C:\\x.mp3,0,x", true},
        {tabs + "#EXTM3U \r\n \r\n" + tabs + "#EXTINF: 5 , Song \r\n\r\n" + tabs + "C:\\x y.mp3 " + tabs,
         "C:\\x y.mp3,5,Song", true},
        {"#EXTM3U\r\n#EXTINF:5,T\r\n\r\n\r\nC:\\x.mp3\r\n\r\n\nC:\\y.mp3", "C:\\x.mp3,5,T|C:\\y.mp3,0,y",
         true},
        // Lengths: unknown ones keep their titles, fractions round up, attributes are skipped.
        {"#EXTM3U\r\n#EXTINF:-1,Radio One\r\nhttp://r/live", "http://r/live,-1,Radio One", true},
        {"#EXTM3U\r\n#EXTINF:0,T\r\nC:\\x.mp3", "C:\\x.mp3,0,T", true},
        {"#EXTM3U\r\n#EXTINF:-1,\r\nC:\\x.mp3", "C:\\x.mp3,-1,x", true},
        {"#EXTM3U\r\n#EXTINF:Some name\r\nC:\\x.mp3", "C:\\x.mp3,0,Some name", true},
        {"#EXTINF:8.9,A\nC:\\a.mp3\n#EXTINF:0.5,B\nC:\\b.mp3\n#EXTINF:3.000,C\nC:\\c.mp3",
         "C:\\a.mp3,9,A|C:\\b.mp3,1,B|C:\\c.mp3,3,C", false},
        {"#EXTM3U\r\n#EXTINF:-1 tvg-id=\"a,1\" group-title=\"News\",News 24\r\nhttp://n/s.ts",
         "http://n/s.ts,-1,News 24", false},
        {"#EXTM3U\r\n#EXTINF:12x,T,with,commas\r\nC:\\x.mp3", "C:\\x.mp3,12,T,with,commas", false},
        {"#EXTM3U\r\n#EXTINF:99999999999,T\r\nC:\\x.mp3", "C:\\x.mp3,2147483647,T", false},
        {"#EXTM3U\r\n#EXTINF:2147483647,T\r\nC:\\x.mp3", "C:\\x.mp3,2147483647,T", true},
        // Titles from names without a backslash; addresses other than file:// are kept as written.
        {"a.mp3\nc:/m/foo.mp3\nhttp://h/d/My%20Song.ogg?x",
         "a.mp3,0,a|c:/m/foo.mp3,0,foo|http://h/d/My%20Song.ogg?x,0,My Song", true},
        {"file:///D:/Music/a%20b.mp3\nFILE://localhost/C:/%E6%AD%8C.mp3\nfile://server/share/c.mp3\nfile://",
         "D:\\Music\\a b.mp3,0,a b|C:\\\xE6\xAD\x8C.mp3,0,\xE6\xAD\x8C|\\\\server\\share\\c.mp3,0,c", false},
        {std::string("#EXTM3U\r\nC:\\x.mp3\r\n\0C:\\y.mp3", 29), "C:\\x.mp3,0,x", false},
        {"\xEF\xBB\xBF#EXTM3U\r\nC:\\caf\xE9.mp3", "C:\\caf\xEF\xBF\xBD.mp3,0,caf\xEF\xBF\xBD", false},
        {"C:\\caf\xE9.mp3", "C:\\caf\xEF\xBF\xBD.mp3,0,caf\xEF\xBF\xBD", false, true},
        {"#EXTM3U\r\nC:\\\x81.mp3", "C:\\\xC2\x81.mp3,0,\xC2\x81", false},
        // UTF-8 without a mark is guessed; an overlong sequence is not UTF-8.
        {"#EXTM3U\r\nC:\\\xE4\xB8\xAD.mp3\r\nC:\\\xDF\xBF\xE0\xA0\x80.mp3",
         "C:\\\xE4\xB8\xAD.mp3,0,\xE4\xB8\xAD|C:\\\xDF\xBF\xE0\xA0\x80.mp3,0,\xDF\xBF\xE0\xA0\x80", true},
        {"#EXTM3U\r\nC:\\caf\xE9.mp3", "C:\\caf\xC3\xA9.mp3,0,caf\xC3\xA9", true},
        {"C:\\\xC0\xAF.mp3", "C:\\\xC3\x80\xC2\xAF.mp3,0,\xC3\x80\xC2\xAF", true},
        {"#EXTM3U\r\n#EXTINF:3," + std::string(400, 't') + "\r\n" + longPath,
         longPath + ",3," + std::string(400, 't'), true},
        // UTF-16 in either order after its mark (Notepad's "Unicode"), up to a NUL.
        {std::string("\xFF\xFE#\0E\0X\0T\0M\0\x33\0U\0\n\0C\0:\0\\\0\x2D\x4E\0\xE0.\0m\0p\0\x33\0", 36),
         "C:\\\xE4\xB8\xAD\xEE\x80\x80.mp3,0,\xE4\xB8\xAD\xEE\x80\x80", true}, // U+E000 is no surrogate
        {std::string("\xFE\xFF\0C\0:\0\\\x4E\x2D\0.\0m\0p\0\x33\0\r\0\n\0\0\0x", 26),
         "C:\\\xE4\xB8\xAD.mp3,0,\xE4\xB8\xAD", false},
        {std::string("\377\376a\0\0\330.\0", 8), "a\xEF\xBF\xBD.,0,a\xEF\xBF\xBD", false},
        {std::string("\377\376a\0\0\334", 6), "a\xEF\xBF\xBD,0,a\xEF\xBF\xBD", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        Playlist list;
        M3uRead r = read(c.text, list, c.utf8Name);
        EXPECT_EQ(shown(list, true), c.entries);
        EXPECT_EQ(r.added, list.count());
        EXPECT_EQ(r.whole, c.whole);
    }
}

TEST(ReadM3u, RelativeEntriesAreMadeWholeAgainstTheListsFolder) {
    const std::string entries = "a.avi\r\nsub\\b.avi\r\nsub/b.avi\r\n.\\a.avi\r\n..\\up\\.\\c.avi\r\n"
                                "\\root.avi\r\nC:\\full.avi\r\nd:rel.avi\r\n\\\\srv\\s\\u.avi\r\nhttp://h/x";
    const char* kept = "C:\\full.avi|d:rel.avi|\\\\srv\\s\\u.avi|http://h/x";
    // Each folder with the root that ".." and "\" cannot climb above.
    const std::pair<std::string, std::string> cases[] = {
        {"X:\\lists\\", "X:\\"},
        {"\\\\nas\\music\\", "\\\\nas\\music\\"},
        {"\\\\?\\X:\\lists\\", "\\\\?\\X:\\"},
    };
    for (const auto& [f, root] : cases) {
        Playlist list;
        M3uRead r = parseM3u(entries.data(), entries.size(), list, kLatin1, false,
                             std::u16string(f.begin(), f.end()));
        EXPECT_EQ(shown(list), f + "a.avi|" + f + "sub\\b.avi|" + f + "sub\\b.avi|" + f + "a.avi|" + root +
                                   "up\\c.avi|" + root + "root.avi|" + kept);
        EXPECT_FALSE(r.whole) << "written back, a resolved entry is another text";
        EXPECT_EQ(list.entries[4]->title, u"c");
    }
    Playlist asWritten;
    EXPECT_TRUE(parseM3u(entries.data(), entries.size(), asWritten, kLatin1, false, u"").whole);
    EXPECT_EQ(shown(asWritten),
              "a.avi|sub\\b.avi|sub/b.avi|.\\a.avi|..\\up\\.\\c.avi|\\root.avi|" + std::string(kept));
}

// Titles other players wrote without a length, or with none at all, are kept on a save.
TEST(ReadM3u, WhatOtherPlayersWroteComesBackThroughASaveWithEveryTitle) {
    Playlist first, second;
    read("#EXTINF:-1,Radio One\nhttp://r/live\n#EXTINF:0,Zero\nC:\\z.mp3\n"
         "#EXTINF:Bare\nC:\\b.mp3\n#EXTINF:-1,\nC:\\c.mp3",
         first);
    const std::string text = m3uText(first, kLatin1, false);
    EXPECT_EQ(text, "#EXTM3U\r\n#EXTINF:-1,Radio One\r\nhttp://r/live\r\n#EXTINF:-1,Zero\r\nC:\\z.mp3\r\n"
                    "#EXTINF:-1,Bare\r\nC:\\b.mp3\r\nC:\\c.mp3");
    EXPECT_TRUE(read(text, second).whole);
    EXPECT_EQ(m3uText(second, kLatin1, false), text) << "every title and path came back";
}

TEST(ListFileNames, M3uAndM3u8InAnyCase) {
    const std::tuple<const char16_t*, bool, bool> cases[] = {
        {u"C:\\a.m3u", true, false},    {u"C:\\a.M3U8", true, true}, {u".m3u", true, false},
        {u"C:\\a.m3u8x", false, false}, {u"m3u", false, false},      {u"C:\\a.mp3", false, false},
        {u"C:\\am3u", false, false}};
    for (auto [path, list, utf8] : cases)
        EXPECT_EQ(std::pair(isListFileName(path), isUtf8ListFileName(path)), std::pair(list, utf8))
            << std::u16string(path).size();
}

TEST(Utf8, BrokenSequencesAreReplacedAndWholeOnesComeBack) {
    const std::tuple<std::string, std::u16string, bool> cases[] = {
        {"a\xFF\xC3", u"a\uFFFD\uFFFD", false},
        {"\xC0\xAF\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", false}, // overlong, a surrogate
        {"\xF4\x90\x80\x80\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", false},
        {"\x7F\xC2\x80\xED\x9F\xBF\xEE\x80\x80", u"\x7F\u0080\uD7FF\uE000", true},
        {"\xF0\x90\x80\x80\xF0\x9F\x8E\xB5\xF4\x8F\xBF\xBF", u"\U00010000\U0001F3B5\U0010FFFF", true},
    };
    for (const auto& [bytes, text, valid] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        std::u16string out;
        EXPECT_EQ(utf8ToUtf16(bytes.data(), bytes.size(), out), valid);
        EXPECT_EQ(out, text);
        std::string back;
        utf16ToUtf8(text.data(), text.size(), back);
        EXPECT_EQ(back == bytes, valid) << "only whole UTF-8 comes back as it was";
    }
    // A pair, U+E000, a pair, then two lows and a high that make no pair.
    const char16_t units[] = {0xD800, 0xDC00, 0xE000, 0xDBFF, 0xDFFF, 0xDC00, 0xDC00, 0xD800};
    std::string lone;
    utf16ToUtf8(units, 8, lone);
    EXPECT_EQ(lone, "\xF0\x90\x80\x80\xEE\x80\x80\xF4\x8F\xBF\xBF\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD")
        << "a lone surrogate is U+FFFD";
}
} // namespace
