#include "list_support.h"

#include "core/command_line.h"
#include "core/entry_paths.h"
#include "core/playlist_order.h"

#include <gtest/gtest.h>

namespace {
// Two bytes a unit, high byte first: keys compare as the units do.
void plainKey(const char16_t* text, std::string& key) {
    key.clear();
    for (const char16_t* p = text; *p != 0; ++p)
        key += {static_cast<char>(*p >> 8), static_cast<char>(*p & 0xFF)};
}

// Made from a path alone, as a file added or dropped is: the title is its last name without the extension.
TEST(TitleFromPath, TheLastNameWithoutItsExtension) {
    Playlist list = listOf("C:\\Music\\Song.mp3|C:\\A.B\\clip|Song.mp3|c:/music/foo.mp3|C:\\x\\.hidden|"
                           "C:\\x\\a.b.c|C:\\folder\\|http://radio.example/live/|http://radio.example/|"
                           "mms://h/a%20b.wma#t=1|file:///C:/My%20Music/x.mp3");
    std::string titles;
    for (const auto& e : list.entries)
        titles += '|' + std::string(e->title.begin(), e->title.end()); // ASCII alone
    EXPECT_EQ(titles, "|Song|clip|Song|foo|.hidden|a.b||live|radio.example|a b|x");
}

TEST(EntryPaths, FileAddressesBecomeThePathsTheyName) {
    const std::tuple<const char16_t*, const char16_t*, bool> cases[] = {
        {u"file:///C|/a%2fb%2z.mp3?query", u"C:\\a\\b%2z.mp3", true},
        {u"file://C:/x.mp3", u"C:\\x.mp3", true},
        {u"file://Server%20A/s/%E6%AD%8C.mp3", u"\\\\Server A\\s\\\u6B4C.mp3", true},
        {u"file:///D:/%FF.mp3", u"D:\\\uFFFD.mp3", false},
        {u"file://LocalHost/a:/x.mp3", u"a:\\x.mp3", true}};
    for (auto [address, path, whole] : cases) {
        bool exact = true;
        EXPECT_EQ(pathFromFileAddress(address, &exact), path);
        EXPECT_EQ(exact, whole);
    }
    EXPECT_FALSE(isAddress(u"C://x")) << "a drive letter is no scheme";
    EXPECT_TRUE(isAddress(u"svn+ssh://h/x"));
}

TEST(CommandLine, ArgumentsAsTheShellQuotesThemAndTheBlockASecondStartHandsOver) {
    const std::pair<const char16_t*, std::vector<std::u16string>> cases[] = {
        {u"\"C:\\Program Files\\Zon\\ZonPlayer.exe\" \"D:\\a b\\it's [1].avi\"", {u"D:\\a b\\it's [1].avi"}},
        {u"ZonPlayer.exe  a.avi\t\"D:\\\" \"\" C:\\x\\\"y z\"", {u"a.avi", u"D:\\", u"C:\\x\\y z"}},
        {u"\"C:\\p q\\z.exe", {}},
        {u"", {}},
    };
    for (const auto& [line, arguments] : cases) {
        std::vector<std::u16string> got = commandLineArguments(line);
        EXPECT_EQ(got, arguments) << testing::PrintToString(std::u16string(line));
        std::u16string block = packPaths(got);
        EXPECT_EQ(unpackPaths(block.data(), block.size()), arguments);
    }
    const char16_t junk[] = u"\0\0a\0\0b";
    EXPECT_EQ(unpackPaths(junk, 6), (std::vector<std::u16string>{u"a", u"b"})) << "no NUL at the end";
    EXPECT_EQ(unpackPaths(junk, 0), std::vector<std::u16string>());
    EXPECT_TRUE(commandLineArguments(nullptr).empty()) << "no line at all";
}

TEST(Shuffle, FollowsItsGeneratorFromSeedOneAndDrawsNothingForShortLists) {
    Playlist list = listOf("A|B|C"), one = listOf("A"), none;
    ShuffleRandom random;
    shuffleEntries(list, random);
    EXPECT_EQ(shown(list), "C|A|B");
    shuffleEntries(list, random);
    EXPECT_EQ(shown(list), "B|A|C");
    for (int round = 0; round < 20; ++round) {
        Playlist two = listOf("A|B");
        shuffleEntries(two, random);
        EXPECT_EQ(shown(two), "B|A") << "two entries always exchange";
    }
    std::uint32_t before = random.state;
    shuffleEntries(one, random);
    shuffleEntries(none, random);
    EXPECT_EQ(shown(one), "A");
    EXPECT_EQ(random.state, before);
}

TEST(Sort, StableByPathOrTitleWithinTheRangeOnly) {
    // By title, a comes before the two b's, which keep their order; the ends are untouched.
    const char* five = "Z:\\z.avi|C:\\3\\b.avi|C:\\1\\b.avi|C:\\2\\a.avi|A:\\a.avi";
    const std::tuple<const char*, int, int, SortMode, const char*> cases[] = {
        {five, 1, 3, SortByTitle, "Z:\\z.avi|C:\\2\\a.avi|C:\\3\\b.avi|C:\\1\\b.avi|A:\\a.avi"},
        {five, 0, 4, SortByPath, "A:\\a.avi|C:\\1\\b.avi|C:\\2\\a.avi|C:\\3\\b.avi|Z:\\z.avi"},
        {"C:\\x\\same.avi|D:\\y\\same.avi|noTitle|E:\\z\\same.avi", 0, 3, SortByTitle,
         "noTitle|C:\\x\\same.avi|D:\\y\\same.avi|E:\\z\\same.avi"},
        {"b|a", -5, 2, SortByPath, "a|b"},
        {"b|a", 1, 1, SortByPath, "b|a"},
        {"b|a", 1, -1, SortByPath, "b|a"},
    };
    for (auto [paths, first, last, mode, sorted] : cases) {
        Playlist list = listOf(paths);
        SortRangeByKeys(list, first, last, mode, plainKey);
        EXPECT_EQ(shown(list), sorted) << paths << " " << first << ".." << last;
    }
}

TEST(Sort, ComparisonsGrowAsNLogN) {
    Playlist list;
    for (int i = 0; i < 100000; ++i)
        AppendEntry(list, {u'C', static_cast<char16_t>(u'a' + (i * 7919) % 26),
                           static_cast<char16_t>(u'a' + i % 26)});
    long comparisons = SortRangeByKeys(list, 0, list.count() - 1, SortByPath, plainKey);
    EXPECT_GT(comparisons, 100000L);
    EXPECT_EQ(SortRangeByKeys(list, 5, 5, SortByPath, plainKey), 0) << "a range of one needs no comparison";
    EXPECT_LT(comparisons, 100000L * 17 * 2) << "an insertion sort would need billions";
    for (int i = 1; i < list.count(); ++i)
        ASSERT_LE(list.entries[i - 1]->path, list.entries[i]->path);
}

TEST(Drop, DroppedEntriesGoSortedBehindTheCurrentOne) {
    // With nothing dropped, the place is the one after the current entry.
    const std::tuple<int, int, const char*, const char*> cases[] = {
        {1, 2, "A|B|C|D|y|x", "A|B|x|y|C|D"},
        {-1, 0, "A|B|C|D|y|x", "x|y|A|B|C|D"},
        {3, 4, "A|B|C|D|y|x", "A|B|C|D|x|y"},
        {1, 2, "A|B|C|D", "A|B|C|D"},
    };
    for (auto [current, placed, paths, after] : cases) {
        Playlist list = listOf(paths);
        list.current = current;
        EXPECT_EQ(placeDroppedEntries(list, 4, SortByPath, plainKey), placed) << after;
        EXPECT_EQ(shown(list), after);
    }
}

TEST(MoveBlock, MovesABlockToAnEarlierPlaceAndRefusesEveryOtherMove) {
    // Blocks running past the end and forward moves are refused: the latter are not this operation's.
    const std::tuple<int, int, int, const char*> cases[] = {
        {2, 5, 1, "A|F|G|B|C|D|E"}, {3, 4, 0, "E|F|G|A|B|C|D"}, {0, 3, 1, "A|B|C|D|E|F|G"},
        {2, 6, 1, "A|B|C|D|E|F|G"}, {2, 3, 4, "A|B|C|D|E|F|G"}, {1, 2, -1, "A|B|C|D|E|F|G"}};
    for (auto [length, from, to, result] : cases) {
        Playlist list = listOf("A|B|C|D|E|F|G");
        MoveBlock(list, length, from, to);
        EXPECT_EQ(shown(list), result) << length << " from " << from << " to " << to;
    }
}

TEST(ClearPlaylist, FreesEverythingAndKeepsTopAndFileName) {
    Playlist list{listOf("a|b").entries, 1, 0, 1, u"C:\\list.m3u"};
    ClearPlaylist(list);
    EXPECT_EQ(std::tuple(list.count(), list.current, list.selected, list.top, list.fileName),
              std::tuple(0, -1, -1, 1, u"C:\\list.m3u"));
}
} // namespace
