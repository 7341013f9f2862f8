// Files that misbehave on purpose, through the test prefix's misbehaving source: whatever a file
// does, the window goes on, and its entry is given up, skipped or ended as its graph says.
#include "support.h"

#include "engine/media.h"
#include "engine/transport.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"
#include "win32/wide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {
class Faults : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        savedLimit_ = std::exchange(openLimit, 1500);
    }
    void TearDown() override {
        openLimit = savedLimit_;
        PlayerTest::TearDown();
    }
    // The list: a file that misbehaves as `fault` says, then a clip.
    static void listWith(const std::string& fault) {
        ClearPlaylist(mainList);
        std::wstring path = freshFolder(L"fault") + L"\\faulty.avi";
        writeFile(path, "zonfault " + fault);
        AppendEntry(mainList, asU16(path.c_str()));
        AppendEntry(mainList, asU16(mediaPath(L"silent320.avi").c_str()));
    }
    bool logged(const std::string& call) const { return log_.has(call); }
    static bool nextPlays() {
        return eventually([] { return mainList.current == 1 && !media.opening; }, 15000);
    }

    StandInLog log_{L"ZON_FAULT_LOG"};

private:
    DWORD savedLimit_ = 0;
};

TEST_F(Faults, AFileThatHangsOpeningFailsMidwayOrEndsEarlyGivesWayToTheNext) {
    // A fault, and the source's call that shows how far it got.
    const std::pair<const char*, const char*> cases[] = {
        {"hang-load", "Load"},               // given up while its file loads
        {"hang-connect", "AbortOperation"},  // given up while its pin connects, asked to stop
        {"abort 0.5", "ErrorAbort"},         // skipped when it fails midway
        {"end 0.5 claim 60", "EndOfStream"}, // ended by its real end, long before its claimed one
    };
    for (auto [fault, proof] : cases) {
        SCOPED_TRACE(fault);
        listWith(fault);
        PlayEntry(0);
        EXPECT_TRUE(nextPlays()) << "the next entry plays";
        EXPECT_TRUE(logged(proof));
        EXPECT_EQ(playbackState, Playing);
        setPlaybackState(Stopped);
    }
}

TEST_F(Faults, AFileOfUnknownLengthPlaysToItsEndShowingWhatHasPlayedWithoutSeeking) {
    listWith("end 2 claim none");
    PlayEntry(0);
    ASSERT_TRUE(eventually([] { return !media.opening; }));
    EXPECT_EQ(media.duration, 0);
    EXPECT_FALSE(canSeek());
    EXPECT_TRUE(eventually([] { return displayedSeconds >= 1; })) << "the time shows what has played";
    EXPECT_EQ(seekProgress, 0) << "the seek bar stands still";
    seekBarTo(seekBarWidth() / 2);
    skipOnBar(1);
    EXPECT_EQ(seekProgress, 0);
    EXPECT_EQ(mainList.current, 0) << "not ended by the first tick";
    EXPECT_TRUE(nextPlays()) << "it played to its end";
    EXPECT_TRUE(logged("EndOfStream"));
    for (const std::string& call : log_.lines())
        EXPECT_TRUE(call.rfind("SetPositions", 0) != 0 || call == "SetPositions 0")
            << "never sought: " << call;
}

TEST_F(Faults, AFileWhoseStopNeverReturnsHoldsNeitherTheNextEntryNorTheWaitForItsRelease) {
    listWith("hang-stop");
    PlayEntry(0);
    ASSERT_TRUE(eventually([&] { return logged("Run"); }));
    PlayNext();
    EXPECT_TRUE(nextPlays()) << "while the first never lets go";
    EXPECT_TRUE(logged("Stop"));
    auto released = std::make_shared<bool>(false);
    whenMediaClosed(60000, [released] { *released = true; });
    EXPECT_FALSE(*released) << "its release is waited for";
    EXPECT_TRUE(eventually([released] { return *released; }, releaseLimit + 2000)) << "and then given up";
    EXPECT_FALSE(mediaReleasing());
}
} // namespace
