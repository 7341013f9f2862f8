#include "list_support.h"

#include "core/playlist_order.h"

#include <gtest/gtest.h>

namespace {
using Paths = std::vector<std::u16string>;

// Two bytes a unit, high byte first: keys compare as the units do.
void plainKey(const char16_t* text, std::string& key) {
    key.clear();
    for (const char16_t* p = text; *p != 0; ++p) {
        key += static_cast<char>(*p >> 8);
        key += static_cast<char>(*p & 0xFF);
    }
}

TEST(TitleFromPath, TextBetweenTheLastBackslashAndTheLastDot) {
    struct Case {
        const char16_t* path;
        const char16_t* title;
    } cases[] = {
        {u"C:\\Music\\Song.mp3", u"Song"},
        {u"C:\\A.B\\clip", u"A"},
        {u"C:\\Music\\Song", u""},
        {u"Song.mp3", u""},
        {u"C:\\x\\.hidden", u""},
        {u"C:\\x\\a.b.c", u"a.b"},
        {u"\\a.mp3", u""},
        {u"x\\a.mp3", u"a"},
        {u"a\\b.c", u"b"},
        {u"C:\\ab.", u"ab"},
        {u".", u""},
        {u"", u""},
        {u"C:\\dir\\Tom & Jerry.avi", u"Tom & Jerry"},
    };
    for (const Case& c : cases) {
        PlaylistEntry e;
        e.path = c.path;
        TitleFromPath(e);
        EXPECT_EQ(e.title, c.title) << std::string(e.path.begin(), e.path.end());
    }
    PlaylistEntry kept;
    kept.path = u"C:\\a\\b.mp3";
    kept.title = u"Given";
    TitleFromPath(kept);
    EXPECT_EQ(kept.title, u"Given") << "a title already known is kept";
}

TEST(Shuffle, FollowsItsGeneratorFromSeedOne) {
    TestList list(Paths{u"A", u"B", u"C"});
    ShuffleRandom random;
    shuffleEntries(*list, random);
    EXPECT_EQ(list.paths(), (Paths{u"C", u"A", u"B"}));
    shuffleEntries(*list, random);
    EXPECT_EQ(list.paths(), (Paths{u"B", u"A", u"C"}));
}

TEST(Shuffle, TwoEntriesAlwaysExchangeFewerStayPut) {
    ShuffleRandom random;
    for (int round = 0; round < 20; ++round) {
        TestList two(Paths{u"A", u"B"});
        shuffleEntries(*two, random);
        EXPECT_EQ(two.paths(), (Paths{u"B", u"A"}));
    }
    TestList one(Paths{u"A"});
    TestList none;
    std::uint32_t before = random.state;
    shuffleEntries(*one, random);
    shuffleEntries(*none, random);
    EXPECT_EQ(one.paths(), (Paths{u"A"}));
    EXPECT_EQ(random.state, before) << "nothing is drawn for lists that cannot change";
}

TEST(Sort, StableByPathOrTitleWithinTheRangeOnly) {
    const Paths five = {u"Z:\\z.avi", u"C:\\3\\b.avi", u"C:\\1\\b.avi", u"C:\\2\\a.avi", u"A:\\a.avi"};
    struct Case {
        const char* name;
        Paths paths;
        int first, last;
        SortMode mode;
        Paths sorted;
    } cases[] = {
        // a before the two b's, which keep their order; the ends are untouched.
        {"by title inside",
         five,
         1,
         3,
         SortByTitle,
         {u"Z:\\z.avi", u"C:\\2\\a.avi", u"C:\\3\\b.avi", u"C:\\1\\b.avi", u"A:\\a.avi"}},
        {"by path, all",
         five,
         0,
         4,
         SortByPath,
         {u"A:\\a.avi", u"C:\\1\\b.avi", u"C:\\2\\a.avi", u"C:\\3\\b.avi", u"Z:\\z.avi"}},
        {"equal titles keep their order, no title first",
         {u"C:\\x\\same.avi", u"D:\\y\\same.avi", u"noTitle", u"E:\\z\\same.avi"},
         0,
         3,
         SortByTitle,
         {u"noTitle", u"C:\\x\\same.avi", u"D:\\y\\same.avi", u"E:\\z\\same.avi"}},
        {"a range beyond the list is kept inside it", {u"b", u"a"}, -5, 99, SortByPath, {u"a", u"b"}},
        {"a range of one", {u"b", u"a"}, 1, 1, SortByPath, {u"b", u"a"}},
        {"an empty range", {u"b", u"a"}, 1, 0, SortByPath, {u"b", u"a"}},
    };
    for (const Case& c : cases) {
        TestList list(c.paths);
        SortRangeByKeys(*list, c.first, c.last, c.mode, plainKey);
        EXPECT_EQ(list.paths(), c.sorted) << c.name;
    }
}

TEST(Sort, ComparisonsGrowAsNLogN) {
    TestList list;
    for (int i = 0; i < 100000; ++i)
        AppendEntry(*list, u"C:\\" + std::u16string(1, static_cast<char16_t>(u'a' + (i * 7919) % 26)) +
                               std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
    long comparisons = SortRangeByKeys(*list, 0, list->count() - 1, SortByPath, plainKey);
    EXPECT_LT(comparisons, 100000L * 17 * 2) << "an insertion sort would need billions";
    for (int i = 1; i < list->count(); ++i)
        ASSERT_LE(list.path(i - 1), list.path(i));
}

TEST(Drop, DroppedEntriesGoSortedBehindTheCurrentOne) {
    struct Case {
        const char* name;
        int current;
        const char* after;
        int placed;
    } cases[] = {
        {"behind the current entry", 1, "ABxyCD", 2},
        {"at the top with none", -1, "xyABCD", 0},
        {"behind the last", 3, "ABCDxy", 4},
        {"nothing dropped: the next entry", 1, "ABCD", 2},
    };
    for (const Case& c : cases) {
        bool none = c.after == std::string("ABCD");
        TestList list(none ? Paths{u"A", u"B", u"C", u"D"} : Paths{u"A", u"B", u"C", u"D", u"y", u"x"});
        list->current = c.current;
        EXPECT_EQ(placeDroppedEntries(*list, 4, SortByPath, plainKey), c.placed) << c.name;
        std::string got;
        for (const auto& p : list.paths())
            got += static_cast<char>(p[0]);
        EXPECT_EQ(got, c.after) << c.name;
    }
}

TEST(MoveBlock, MovesABlockToAnEarlierPlace) {
    struct Case {
        int length, from, to;
        const char* result;
    } cases[] = {
        {2, 5, 1, "AFGBCDE"},  {3, 4, 0, "EFGABCD"}, {1, 6, 6, "ABCDEFG"},
        {0, 3, 1, "ABCDEFG"},  {7, 0, 0, "ABCDEFG"}, {2, 6, 1, "ABCDEFG"}, // runs past the end: refused
        {2, 3, 4, "ABCDEFG"}, // forward moves are not this operation's
        {1, 2, -1, "ABCDEFG"},
    };
    for (const Case& c : cases) {
        TestList list(Paths{u"A", u"B", u"C", u"D", u"E", u"F", u"G"});
        MoveBlock(*list, c.length, c.from, c.to);
        std::string got;
        for (const auto& p : list.paths())
            got += static_cast<char>(p[0]);
        EXPECT_EQ(got, c.result) << c.length << " from " << c.from << " to " << c.to;
    }
}

TEST(ClearPlaylist, FreesEverythingAndKeepsTopAndFileName) {
    TestList list(Paths{u"a", u"b"});
    list->current = 1;
    list->selected = 0;
    list->top = 1;
    list->fileName = u"C:\\list.m3u";
    ClearPlaylist(*list);
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->current, -1);
    EXPECT_EQ(list->selected, -1);
    EXPECT_EQ(list->top, 1);
    EXPECT_EQ(list->fileName, u"C:\\list.m3u");
}
} // namespace
