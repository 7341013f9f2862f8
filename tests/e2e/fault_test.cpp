// Files that misbehave on purpose, through the test prefix's misbehaving source, in the real
// player: the window answers throughout, each entry is given up, skipped or ended, and the player
// closes by itself though one file never lets go.
#include "player.h"

#include <gtest/gtest.h>

namespace {
TEST(Faults, TheWindowAnswersThroughoutEachEntryGivesWayAndThePlayerClosesByItself) {
    std::wstring folder = freshFolder(L"faults");
    StandInLog log(L"ZON_FAULT_LOG");
    std::vector<std::string> list;
    for (auto [name, fault] : {std::pair{L"hangs.avi", "hang-connect"},
                               {L"fails.avi", "abort 0.5"},
                               {L"short.avi", "end 0.5 claim 60"},
                               {L"stuck.avi", "hang-stop"}}) {
        std::wstring path = folder + L"\\" + name;
        writeFile(path, std::string("zonfault ") + fault);
        list.push_back(ansi(path));
    }
    list.push_back(ansi(mediaPath(L"silent640.avi")));
    // A stored entry beyond the list is none: Play starts the first.
    Player player("[PLAYLIST]\r\nIndex=7\r\n", {{L"default.m3u", m3u(list)}});
    ASSERT_TRUE(player.plays());
    // The first hangs connecting and is given up; the second fails, the third ends early and the
    // fourth plays: three of them ran.
    EXPECT_TRUE(player.answering([&] { return log.count("Run") == 3; }, 30000));
    player.postKey(WM_KEYDOWN, 'N'); // the next entry: the fourth's Stop never returns
    EXPECT_TRUE(player.answering([&] { return width(player.display()) == 640; }, 10000))
        << "the clip after them plays";
    EXPECT_EQ(log.count("Stop"), 3u);
    EXPECT_EQ(player.unanswered(), 0) << "the window answered every probe within a second";
    EXPECT_EQ(player.close(), 0) << "and closes by itself";
    EXPECT_EQ(player.index(), L"4");
}
} // namespace
