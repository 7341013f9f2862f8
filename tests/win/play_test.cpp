// Starting entries, dropping files and moving through real media.
#include "support.h"

#include "app/geometry.h"
#include "app/shell.h"
#include "win32/wide.h"
#include "core/command_ids.h"
#include "engine/media.h"
#include "engine/transport.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Paths = std::vector<std::wstring>;
constexpr LONGLONG kSecond = 10000000;

class Play : public testing::Test {
protected:
    void SetUp() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
        loopFlag = false;
        sortMode = SortByPath;
        // Three playable entries under distinct names.
        for (int i = 0; i < 3; ++i)
            files_.push_back(mediaCopy(L"silent320.avi", (L"entry" + std::to_wstring(i) + L".avi").c_str()));
    }
    void TearDown() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
        loopFlag = false;
    }
    void fill(int n) {
        for (int i = 0; i < n; ++i)
            AppendEntry(mainList, asU16(files_[i].c_str()));
    }
    Paths files_;
};

TEST_F(Play, EntryRulesAtTheEndsOfTheList) {
    struct Case {
        const char* name;
        int count;
        bool loop;
        int current;
        int step; // +1 next, -1 previous
        int expectCurrent;
        PlaybackState expectState;
    } cases[] = {
        {"next from the last stops", 3, false, 2, 1, -1, Stopped},
        {"next from the last wraps with loop", 3, true, 2, 1, 0, Playing},
        {"previous from the first stops", 3, false, 0, -1, -1, Stopped},
        {"previous from the first stops even with loop", 3, true, 0, -1, -1, Stopped},
        {"next with no current plays the first", 3, false, -1, 1, 0, Playing},
        {"next on an empty list stops", 0, true, -1, 1, -1, Stopped},
        {"next in the middle", 3, false, 0, 1, 1, Playing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearPlaylist(mainList);
        fill(c.count);
        loopFlag = c.loop;
        if (c.current >= 0)
            PlayEntry(c.current);
        if (c.step > 0)
            PlayNext();
        else
            PlayPrevious();
        EXPECT_EQ(mainList.current, c.expectCurrent);
        EXPECT_EQ(playbackState, c.expectState);
        setPlaybackState(Stopped);
    }
}

TEST_F(Play, OpeningAnEntryRecordsItsLengthAndTitle) {
    fill(1);
    mainList.entries[0]->duration = 0;
    memcpy(mainList.entries[0]->timeText, "--:--", 6);
    PlayEntry(0);
    EXPECT_EQ(mainList.entries[0]->duration, 3);
    EXPECT_STREQ(mainList.entries[0]->timeText, "00:03") << "the row shows the new length";
    EXPECT_STREQ(statusText, L"entry0");
}

TEST_F(Play, AClipPlaysToItsEndAndTheNextStartsWithinATick) {
    std::vector<std::wstring> clips = {mediaPath(L"silent640.avi"), mediaPath(L"clip320.avi")};
    for (const auto& c : clips)
        AppendEntry(mainList, asU16(c.c_str()));
    PlayEntry(0);
    ASSERT_EQ(playbackState, Playing);
    ASSERT_TRUE(eventually([] { return mainList.current == 1; }, 6000)) << "the two-second clip ends";
    EXPECT_EQ(playbackState, Playing);
    EXPECT_NEAR(static_cast<double>(media.duration) / kSecond, 3.0, 0.2);
}

TEST_F(Play, SeekingAndSkippingMoveThePosition) {
    AppendEntry(mainList, asU16(mediaPath(L"silent640.avi").c_str()));
    PlayEntry(0);
    setPlaybackState(Paused);
    int width = seekBarWidth();
    ASSERT_EQ(width, mainWidth - 14);
    seekBarTo(width / 2);
    LONGLONG position = 0;
    media.seeking->GetCurrentPosition(&position);
    EXPECT_NEAR(static_cast<double>(position), static_cast<double>(media.duration / 2), kSecond / 10.0);
    int before = seekProgress;
    skipOnBar(1);
    EXPECT_EQ(seekProgress, before + width / 100);
    skipOnBar(-1);
    skipOnBar(-1);
    EXPECT_EQ(seekProgress, before - width / 100);
    pollPosition(); // skips are sought at the tick
    media.seeking->GetCurrentPosition(&position);
    EXPECT_LT(position, media.duration / 2);

    // Skips never take the bar past its ends, and with nothing open they change nothing.
    for (int i = 0; i < 150; ++i)
        skipOnBar(1);
    EXPECT_EQ(seekProgress, width);
    for (int i = 0; i < 150; ++i)
        skipOnBar(-1);
    EXPECT_EQ(seekProgress, 0);
    setPlaybackState(Stopped);
    skipOnBar(1);
    seekBarTo(40);
    EXPECT_EQ(seekProgress, 0);
}

TEST_F(Play, RateStepsAndIsKeptForTheNextFile) {
    fill(2);
    PlayEntry(0);
    struct Step {
        WORD command;
        double rate;
    } steps[] = {{CMD_RATE_HALF, 0.5},  {CMD_RATE_DOWN, 0.25},  {CMD_RATE_DOWN, 0.25},
                 {CMD_RATE_UP, 0.5},    {CMD_RATE_DOUBLE, 2.0}, {CMD_RATE_UP, 2.0},
                 {CMD_RATE_DOWN, 1.75}, {CMD_RATE_NORMAL, 1.0}, {CMD_RATE_HALF, 0.5}};
    for (const Step& s : steps) {
        executeTransportCommand(s.command);
        EXPECT_DOUBLE_EQ(media.playbackRate, s.rate) << s.command;
    }
    PlayNext();
    ASSERT_EQ(mainList.current, 1);
    EXPECT_DOUBLE_EQ(media.playbackRate, 0.5) << "the next file is given the chosen rate";
    setPlaybackState(Stopped);
    executeTransportCommand(CMD_RATE_DOUBLE);
    EXPECT_DOUBLE_EQ(media.playbackRate, 2.0) << "kept even with nothing open";
    executeTransportCommand(CMD_RATE_NORMAL);
}

TEST_F(Play, FrameStepPausesFirstThenSteps) {
    fill(1);
    PlayEntry(0);
    executeTransportCommand(CMD_FRAME_STEP);
    EXPECT_EQ(playbackState, Stepping);
    OAFilterState state = State_Running;
    media.control->GetState(1000, &state);
    EXPECT_EQ(state, State_Paused) << "the first step only pauses";
    executeTransportCommand(CMD_FRAME_STEP);
    EXPECT_EQ(playbackState, Stepping);
    executePlaybackCommand(CMD_PLAY_PAUSE);
    EXPECT_EQ(playbackState, Playing);
    EXPECT_FALSE(media.frameStep) << "a state change drops the stepper";
}
} // namespace
