// Discs in drive V:, a CD-ROM drive whose disc is the folder ZON_DISC names: a video CD plays as a
// list of its own, the user's list untouched.
#include "player.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
using Lines = std::vector<std::string>;

// Puts a disc in the drive: the given folders, a video CD's two tracks (PAL, then NTSC) in MPEGAV.
void insertDisc(bool videoCd, bool dvd) {
    std::filesystem::path disc(pathFromEnvironment(L"ZON_DISC"));
    std::filesystem::remove_all(disc / L"MPEGAV");
    std::filesystem::remove_all(disc / L"VIDEO_TS");
    if (videoCd) {
        std::filesystem::create_directory(disc / L"MPEGAV");
        // Written second to first: the tracks play in the order of their names all the same.
        CopyFileW(mediaPath(L"vcd-ntsc.mpg").c_str(), (disc / L"MPEGAV\\AVSEQ02.DAT").c_str(), FALSE);
        CopyFileW(mediaPath(L"vcd-pal.mpg").c_str(), (disc / L"MPEGAV\\AVSEQ01.DAT").c_str(), FALSE);
    }
    if (dvd)
        std::filesystem::create_directory(disc / L"VIDEO_TS");
}

TEST(VideoCd, TheTracksPlayInOrderOnTheDiscsOwnListAndTheUsersListStays) {
    const Lines mine = {ansi(mediaPath(L"silent640.avi"))}; // neither PAL nor NTSC in height
    for (auto [videoCd, dvd] : {std::pair{true, false}, {true, true}, {false, false}}) {
        SCOPED_TRACE(testing::Message() << "video CD " << videoCd << ", DVD folder " << dvd);
        insertDisc(videoCd, dvd);
        Player player("", {{L"default.m3u", m3u(mine)}});
        ASSERT_TRUE(player.started());
        ASSERT_TRUE(player.listShown());
        auto display = [&] { return height(player.childRect(L"Zon Display")); };
        player.command(CMD_DISC);
        if (videoCd) {
            EXPECT_TRUE(eventually([&] { return display() == 288; }, 8000)) << "the first track, PAL";
            EXPECT_TRUE(eventually([&] { return display() == 240; }, 8000)) << "then the second, NTSC";
            EXPECT_FALSE(eventually([&] { return display() == 360; }, 4000))
                << "the disc ends with its last track";
        } else {
            ASSERT_TRUE(player.roundTrip());
            Sleep(1000);
            EXPECT_EQ(display(), 180) << "no disc: nothing plays";
        }
        EXPECT_EQ(player.close(), 0);
        EXPECT_EQ(pathLines(player.listFile()), mine);
        EXPECT_EQ(player.index(), L"-1");
    }
    insertDisc(false, false);
}
} // namespace
