// A DVD in drive V: through the test prefix's stand-in navigator, whose fixed disc has title 1
// (English and Chinese sound, no subtitles, 1:40) and title 2 (Japanese sound, English and
// Japanese subtitles, 0:30): the language submenus offer the current title's streams, the
// navigator's time drives the time and the seek bar, and stopping leaves the fixed items only.
#include "support.h"

#include "app/shell.h"
#include "core/command_ids.h"
#include "core/disc_list.h"
#include "engine/media.h"
#include "engine/media_context.h"
#include "playlist/discs.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"

#include <filesystem>

namespace {
using Dvd = PlayerTest;
using Commands = std::vector<UINT>;

// The commands of one of the play menu's language submenus, after its fixed items.
struct LanguageMenu {
    int place;
    std::size_t fixed;
    Commands appended() const {
        HMENU menu = GetSubMenu(GetSubMenu(mainMenu, 2), place);
        Commands commands;
        for (int i = static_cast<int>(fixed); i < GetMenuItemCount(menu); ++i)
            commands.push_back(GetMenuItemID(menu, i));
        return commands;
    }
};
constexpr LanguageMenu kAudio = {11, 1}, kSubtitles = {12, 3};
constexpr UINT kAudio1 = CMD_AUDIO_STREAM_FIRST, kSubtitle1 = CMD_SUBTITLE_STREAM_FIRST;

TEST_F(Dvd, TheLanguageMenusFollowTheTitleTheTimeFollowsTheNavigatorAndStopLeavesTheFixedItems) {
    std::filesystem::path disc(pathFromEnvironment(L"ZON_DISC"));
    std::filesystem::remove_all(disc / L"MPEGAV");
    std::filesystem::create_directories(disc / L"VIDEO_TS");
    SetEnvironmentVariableW(L"ZON_DVD_CLIP", mediaPath(L"silent640.avi").c_str());
    findDisc();
    ASSERT_TRUE(eventually([] { return !media.opening; }));
    ASSERT_EQ(media.kind, MediaKind::Disc) << "the stand-in navigator is registered";
    ASSERT_TRUE(media.discInfo);
    EXPECT_TRUE(eventually([] { return pictureContrast(displayWindow) > 60; }))
        << "the navigator's picture in the display window";
    EXPECT_TRUE(eventually([] {
        return kAudio.appended() == Commands{kAudio1, kAudio1 + 1};
    })) << "title 1 once the disc runs";
    EXPECT_EQ(kSubtitles.appended(), Commands{});
    onMedium([](MediaContext& m) { m.dvdControl->PlayTitle(2, 0, nullptr); });
    EXPECT_TRUE(eventually([] { return kAudio.appended() == Commands{kAudio1}; })) << "title 2";
    EXPECT_EQ(kSubtitles.appended(), (Commands{kSubtitle1, kSubtitle1 + 1}));
    EXPECT_TRUE(eventually([] { return activeList->current == dvdChapterEntry(*activeList, 2, 1); }));
    EXPECT_EQ(activeList->entries[static_cast<std::size_t>(dvdTitleEntry(*activeList, 2))]->duration, 30)
        << "its length, read as its first chapter starts";
    // The navigator tells the time once a second; the seek bar shows it against the title's length.
    ASSERT_TRUE(eventually([] { return displayedSeconds >= 1; }));
    EXPECT_EQ(seekProgress, seekBarWidth() * displayedSeconds / 30);
    setPlaybackState(Stopped);
    EXPECT_EQ(kAudio.appended(), Commands{});
    EXPECT_EQ(kSubtitles.appended(), Commands{});
    std::filesystem::remove_all(disc / L"VIDEO_TS");
}
} // namespace
