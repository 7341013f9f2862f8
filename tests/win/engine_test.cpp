#include "fakes.h"
#include "support.h"

#include "app/shell.h"
#include "win32/wide.h"
#include "core/command_ids.h"
#include "engine/media.h"
#include "engine/renderer.h"
#include "engine/transport.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <string>
#include <vector>

namespace {
constexpr LONGLONG kSecond = 10000000;

class Engine : public testing::Test {
protected:
    void TearDown() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
    }
    // openMedia works on the caller's buffer, as it does on a list entry's path.
    bool open(const std::wstring& path) {
        buffer_.assign(path.begin(), path.end());
        buffer_.push_back(0);
        return openMedia(buffer_.data());
    }
    std::wstring buffer() const { return buffer_.data(); }

private:
    std::vector<wchar_t> buffer_;
};

struct PlayableCase {
    const wchar_t* file;
    int width, height;
    LONGLONG seconds;
};

TEST_F(Engine, RealFilesReachPlayingWithDurationSizeAndAPicture) {
    const PlayableCase cases[] = {
        {L"clip320.avi", 320, 240, 3}, {L"clip640.mp4", 640, 360, 3}, {L"silent640.avi", 640, 360, 2}};
    for (const PlayableCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.file, c.file + wcslen(c.file)));
        ASSERT_TRUE(open(mediaPath(c.file)));
        EXPECT_EQ(playbackState, Playing);
        EXPECT_NEAR(static_cast<double>(media.duration) / kSecond, static_cast<double>(c.seconds), 0.2);
        EXPECT_EQ(nativeWidth, c.width);
        EXPECT_EQ(nativeHeight, c.height);
        // The windowless renderer, or the graph's own video window when it could not connect.
        EXPECT_TRUE(media.windowless || media.videoWindow) << "a renderer holds the picture";
        // Let a few frames reach the display window, then look at them.
        EXPECT_TRUE(eventually([] { return pictureContrast(displayWindow) > 60; }, 3000))
            << "the display window shows a picture";
        setPlaybackState(Stopped);
    }
}

TEST_F(Engine, OpeningASecondFileClosesTheFirst) {
    ASSERT_TRUE(open(mediaPath(L"clip320.avi")));
    ComPtr<IMediaControl> first;
    media.control.queryInterface(first);
    ASSERT_TRUE(first);
    ASSERT_TRUE(open(mediaPath(L"silent320.avi")));
    OAFilterState state = State_Running;
    first->GetState(0, &state);
    EXPECT_EQ(state, State_Stopped);
    ComPtr<IMediaControl> second;
    media.control.queryInterface(second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(playbackState, Playing);
}

TEST_F(Engine, UnplayableFilesLeaveTheProgramRunningAndAreSkippedByThePoll) {
    const wchar_t* files[] = {L"corrupt.avi", L"missing-file.avi", L"tone.wav"};
    for (const wchar_t* f : files) {
        SCOPED_TRACE(testing::Message() << std::string(f, f + wcslen(f)));
        EXPECT_TRUE(open(mediaPath(f))) << "a graph is made even when nothing renders";
        EXPECT_EQ(playbackState, Playing);
        EXPECT_GE(nativeWidth, 320);
        EXPECT_GE(nativeHeight, 180);
        pumpMessages(100);
        if (media.duration == 0) {
            pollPosition();
            EXPECT_EQ(playbackState, Stopped) << "an empty list stops after the skipped file";
        }
        setPlaybackState(Stopped);
    }
}

int threadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 thread = {};
    thread.dwSize = sizeof thread;
    int n = 0;
    for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread))
        n += thread.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    CloseHandle(snapshot);
    return n;
}

TEST_F(Engine, AListOfMissingFilesCostsNothingPerEntry) {
    open(mediaPath(L"missing-file.avi"));
    setPlaybackState(Stopped);
    int before = threadsOfThisProcess();
    for (int i = 0; i < 10; ++i) {
        open(mediaPath((L"missing-" + std::to_wstring(i) + L".avi").c_str()));
        setPlaybackState(Stopped);
    }
    EXPECT_LE(threadsOfThisProcess(), before + 1) << "no reader thread is left behind per missing file";
}

TEST_F(Engine, PlayPauseAndStopMoveTheState) {
    executePlaybackCommand(CMD_PLAY_PAUSE);
    EXPECT_EQ(playbackState, Stopped) << "play on an empty list flips straight back";
    lstrcpynW(statusText, L"kept", 128);
    executePlaybackCommand(CMD_STOP);
    EXPECT_STREQ(statusText, L"kept") << "stop when stopped does nothing";
    AppendEntry(mainList, asU16(mediaPath(L"clip320.avi").c_str()));
    mainList.current = 0;
    struct Step {
        WORD command;
        PlaybackState state;
    } steps[] = {{CMD_PLAY_PAUSE, Playing},
                 {CMD_PLAY_PAUSE, Paused},
                 {CMD_PAUSE, Paused},
                 {CMD_PLAY_PAUSE, Playing},
                 {CMD_STOP, Stopped}};
    for (const Step& step : steps) {
        executePlaybackCommand(step.command);
        EXPECT_EQ(playbackState, step.state) << step.command;
        if (step.state == Playing) {
            EXPECT_STREQ(statusText, L"clip320");
        }
    }
    EXPECT_FALSE(media.graph);
    EXPECT_EQ(statusText[0], 0);
}

TEST_F(Engine, ExtensionIsLowerCasedInTheCallersBuffer) {
    std::wstring path = mediaCopy(L"silent320.avi", L"Clip.AVI");
    ASSERT_TRUE(open(path));
    std::wstring after = buffer();
    EXPECT_EQ(after.substr(after.size() - 8), L"Clip.avi");
}
TEST(Teardown, NotificationsStopAndTheVideoWindowIsLetGoBeforeTheGraphStops) {
    CallLog log;
    RecordingEvents events(&log, "events");
    RecordingControl control(&log, "control");
    RecordingVideoWindow window(&log, "window");
    media.events = ComPtr<IMediaEventEx>::adopt(&events);
    media.control = ComPtr<IMediaControl>::adopt(&control);
    media.videoWindow = ComPtr<IVideoWindow>::adopt(&window);
    closeMedia();
    EXPECT_EQ(log,
              (CallLog{"events.SetNotifyWindow(none)", "window.put_Visible(false)", "window.put_Owner(none)",
                       "window.Release", "control.Stop", "control.Release", "events.Release"}));
    for (long refs : {events.refs, control.refs, window.refs})
        EXPECT_EQ(refs, 0);
}
} // namespace
