#include "list_support.h"

#include "core/disc_list.h"

#include <climits>
#include <gtest/gtest.h>

namespace {
// Each entry as "title/dvdTitle/dvdChapter/timeText".
std::string fields(const Playlist& list) {
    std::string out;
    for (const auto& e : list.entries) {
        std::string title;
        utf16ToUtf8(e->title.data(), e->title.size(), title);
        out += (out.empty() ? "" : "|") + title + "/" + std::to_string(e->dvdTitle) + "/" +
               std::to_string(e->dvdChapter) + "/" + e->timeText;
    }
    return out;
}

TEST(DvdList, MenusThenEachTitleWithItsChaptersWhereEventsFindThemUpToTheCap) {
    Playlist list = listOf("C:\\old.avi");
    list.current = list.selected = list.top = 0;
    fillDvdList(list, {3, 1});
    EXPECT_EQ(fields(list), "标题选单/0/0/ |章节选单/0/1/ |标题 1/1/0/|    章节 1/1/1/ |    章节 2/1/2/ |"
                            "    章节 3/1/3/ |标题 2/2/0/|    章节 1/2/1/ ");
    EXPECT_EQ((std::vector<int>{list.current, list.selected, list.top}), (std::vector<int>{-1, -1, 0}));
    EXPECT_TRUE(list.entries[2]->path.empty());
    for (auto [title, chapter, index] : {std::tuple{1, 0, 2}, {1, 3, 5}, {2, 1, 7}, {2, 2, -1}, {3, 0, -1}})
        EXPECT_EQ(dvdChapterEntry(list, title, chapter), index) << title << "." << chapter;
    EXPECT_EQ(dvdTitleEntry(list, 2), 6);
    // A title's length is wanted once: the search stops at an entry that has it.
    for (auto [from, title, found] :
         {std::tuple{4, 1, 2}, {2, 1, 2}, {7, 2, 6}, {5, 2, -1}, {99, 2, 6}, {1, 0, -1}})
        EXPECT_EQ(dvdTitleAwaitingLength(list, from, title), found) << "from " << from << " for " << title;
    list.entries[2]->duration = 100;
    EXPECT_EQ(dvdTitleAwaitingLength(list, 4, 1), -1) << "known already";
    for (const std::vector<int>& chapters : {std::vector<int>{INT_MAX}, std::vector<int>(3000, 1)}) {
        fillDvdList(list, chapters);
        EXPECT_EQ(list.count(), kDiscListCapacity) << chapters.size();
    }
    fillDvdList(list, std::vector<int>(2047, 1));
    EXPECT_EQ(list.count(), 4096);
    EXPECT_EQ(fields(list).substr(fields(list).rfind('|') + 1), "    章节 1/2047/1/ ");
}

TEST(DvdStreams, TimeCodesCommandsAndDrives) {
    EXPECT_EQ(dvdSecondsOfTimecode(0x19030201), 3723) << "01:02:03, frames aside";
    using enum DvdStreamKind;
    const std::tuple<unsigned, DvdStreamKind, unsigned> cases[] = {
        {42099, None, 0},     {42100, Audio, 0}, {42110, Audio, 10},       {42111, Subtitle, 0},
        {42120, Subtitle, 9}, {42121, None, 0},  {42031, SubtitlesOff, 0}, {42032, None, 0}};
    for (auto [command, kind, stream] : cases)
        EXPECT_EQ(std::pair(dvdStreamOf(command).kind, dvdStreamOf(command).stream), std::pair(kind, stream))
            << command;
    EXPECT_TRUE(driveMayHoldDisc(5)) << "a CD-ROM drive is searched";
    EXPECT_FALSE(driveMayHoldDisc(2)) << "a removable drive is passed over";
}
} // namespace
