// The engine and the list's play loop on Wine's real DirectShow, each medium on its own session,
// with stand-ins where a test must watch or steer a renderer.
#include "fakes.h"
#include "support.h"

#include "app/shell.h"
#include "core/command_ids.h"
#include "core/timers.h"
#include "engine/graph.h"
#include "engine/media.h"
#include "engine/renderer.h"
#include "engine/transport.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"
#include "win32/wide.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {
using Engine = PlayerTest;

OAFilterState graphState() {
    OAFilterState state = -1;
    onMedium([&](MediaContext& m) { m.control->GetState(1000, &state); });
    return state;
}

TEST_F(Engine, RealFilesPlayWithTheirLengthSizeAndPictureEachReleasingTheOneBefore) {
    HWND before = nullptr;
    for (auto [file, width, height, seconds] : {std::tuple{L"clip320.avi", 320, 240, 3},
                                                {L"clip640.mp4", 640, 360, 3},
                                                {L"silent640.avi", 640, 360, 2}}) {
        SCOPED_TRACE(ansi(file));
        std::wstring path = mediaPath(file);
        ASSERT_TRUE(openInPlace(path));
        EXPECT_TRUE(mediaReleased()) << "the file before is released";
        EXPECT_FALSE(IsWindow(before)) << "and its renderer's window gone";
        EXPECT_EQ(playbackState, Playing);
        EXPECT_EQ(graphState(), State_Running) << "it runs once open";
        EXPECT_NEAR(media.duration / 1e7, seconds, 0.2);
        EXPECT_TRUE(media.seekable);
        EXPECT_EQ(nativeWidth, width);
        EXPECT_EQ(nativeHeight, height);
        // The windowless renderer, or the graph's own video window made a child of the display.
        ASSERT_TRUE(media.windowless || media.videoWindow) << "a renderer holds the picture";
        before = FindWindowExW(displayWindow, nullptr, nullptr, nullptr);
        EXPECT_TRUE(!media.videoWindow ||
                    (before != nullptr && (GetWindowLongW(before, GWL_STYLE) & WS_CHILD)));
        EXPECT_TRUE(eventually([] { return pictureContrast(displayWindow) > 60; }, 3000))
            << "the display window shows a picture";
    }
}

TEST_F(Engine, UnplayableFilesAreSkippedAsSoonAsTheyReportAndLeaveNoThreadBehind) {
    std::size_t threads = 0;
    for (const wchar_t* f : {L"corrupt.avi", L"missing-file.avi", L"missing-0.avi", L"missing-1.avi",
                             L"missing-2.avi", L"missing-3.avi", L"missing-4.avi", L"missing-5.avi"}) {
        SCOPED_TRACE(ansi(f));
        std::wstring path = mediaPath(f);
        EXPECT_TRUE(openMedia(path.data()));
        EXPECT_EQ(playbackState, Playing) << "shown playing while it opens";
        EXPECT_TRUE(eventually([] { return playbackState == Stopped; })) << "an empty list stops after it";
        EXPECT_EQ(nativeWidth, 320) << "the smallest video area";
        EXPECT_EQ(nativeHeight, 180);
        EXPECT_TRUE(mediaReleased());
        if (threads == 0)
            threads = threadsOfThisProcess().size();
    }
    EXPECT_LE(threadsOfThisProcess().size(), threads + 1) << "no thread is left per file";
}

TEST_F(Engine, PlayPauseAndStopMoveTheState) {
    executePlaybackCommand(CMD_PLAY_PAUSE);
    EXPECT_EQ(playbackState, Stopped) << "play on an empty list flips straight back";
    AppendEntry(mainList, asU16(mediaPath(L"clip320.avi").c_str()));
    mainList.current = 0;
    // The first frame step only pauses; a state change drops the stepper.
    for (auto [command, ours, graphs] : {std::tuple{CMD_PLAY_PAUSE, Playing, State_Running},
                                         {CMD_PLAY_PAUSE, Paused, State_Paused},
                                         {CMD_PAUSE, Paused, State_Paused},
                                         {CMD_PLAY_PAUSE, Playing, State_Running},
                                         {CMD_FRAME_STEP, Stepping, State_Paused},
                                         {CMD_FRAME_STEP, Stepping, State_Paused},
                                         {CMD_PLAY_PAUSE, Playing, State_Running}}) {
        if (!executePlaybackCommand(command))
            executeTransportCommand(command);
        EXPECT_EQ(playbackState, ours) << command;
        EXPECT_EQ(graphState(), graphs) << command;
        EXPECT_STREQ(statusText, L"clip320");
    }
    bool stepper = true;
    onMedium([&](MediaContext& m) { stepper = static_cast<bool>(m.frameStep); });
    EXPECT_FALSE(stepper);
    executePlaybackCommand(CMD_STOP);
    EXPECT_EQ(media.kind, MediaKind::None);
    EXPECT_TRUE(mediaReleased());
    EXPECT_EQ(statusText[0], 0);
}

// Wine's renderer cannot be made to report a size, so a stand-in reports the given ones.
TEST_F(Engine, NativeSizeFromTheWindowlessRenderer) {
    // An empty graph: no video window of its own, so only the stand-in can report a size.
    MediaContext m;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(&m.graph)),
              S_OK);
    for (auto [w, h, kept] : {std::tuple{720, 576, true}, {0, 576, false}, {640, 0, false}, {1, 1, true}}) {
        StandInWindowless stand(w, h);
        m.windowless = ComPtr<IVMRWindowlessControl>::adopt(&stand);
        OpenedFacts facts;
        updateVideoSize(m, false, facts);
        EXPECT_EQ(facts.width, kept ? w : 320) << w << "x" << h;
        EXPECT_EQ(facts.height, kept ? h : 180) << w << "x" << h;
        EXPECT_EQ(facts.windowless, kept) << "a renderer without a picture is let go";
        EXPECT_FALSE(facts.videoWindow) << "an empty graph has no window to adopt";
        m.windowless.reset();
        EXPECT_EQ(stand.refs, 0);
    }
}

// Looks at Wine's own video window as the graph is told to stop, then stops the real graph.
class WatchingControl : public Fake<IMediaControl> {
public:
    using Fake::Fake;
    FAKE_DISPATCH
    HRESULT WINAPI Stop() override {
        record(IsWindowVisible(video) ? "Stop(video shown)" : "Stop");
        return real->Stop();
    }
    NOT_IMPLEMENTED(Run)
    NOT_IMPLEMENTED(Pause)
    NOT_IMPLEMENTED(GetState, LONG, OAFilterState*)
    NOT_IMPLEMENTED(RenderFile, BSTR)
    NOT_IMPLEMENTED(AddSourceFilter, BSTR, IDispatch**)
    NOT_IMPLEMENTED(get_FilterCollection, IDispatch**)
    NOT_IMPLEMENTED(get_RegFilterCollection, IDispatch**)
    NOT_IMPLEMENTED(StopWhenReady)
    ComPtr<IMediaControl> real;
    HWND video = nullptr;
};

TEST_F(Engine, NotificationsStopTheVideoWindowHidesBeforeTheGraphStopsAndThePlayerStaysActive) {
    std::wstring path = mediaPath(L"silent640.avi");
    ASSERT_TRUE(openInPlace(path));
    ASSERT_TRUE(media.videoWindow) << "Wine's renderer shows the video in a window of its own";
    CallLog log;
    RecordingEvents events(&log, "events");
    WatchingControl control(&log, "control");
    // Shown once the session has run the graph it opened.
    ASSERT_TRUE(eventually([&] {
        return IsWindowVisible(control.video = FindWindowExW(displayWindow, nullptr, nullptr, nullptr));
    }));
    ASSERT_TRUE(SetForegroundWindow(mainWindow));
    ASSERT_TRUE(onMedium([&](MediaContext& m) {
        m.events = ComPtr<IMediaEventEx>::adopt(&events);
        control.real = std::move(m.control);
        m.control = ComPtr<IMediaControl>::adopt(&control);
        releaseContext(m);
        control.real.reset();
    }));
    EXPECT_TRUE(eventually([&] { return !IsWindow(control.video); })) << "the renderer's window goes";
    EXPECT_EQ(GetForegroundWindow(), mainWindow) << "the renderer's window took the activation";
    EXPECT_EQ(log,
              (CallLog{"events.SetNotifyWindow(none)", "control.Stop", "control.Release", "events.Release"}));
    EXPECT_TRUE(events.refs == 0 && control.refs == 0);
}

using Play = PlayerTest;

// Playable entries under distinct names.
void fill(int n) {
    for (int i = 0; i < n; ++i) {
        std::wstring name = L"entry" + std::to_wstring(i) + L".avi";
        AppendEntry(mainList, asU16(mediaCopy(L"silent320.avi", name.c_str()).c_str()));
    }
}

TEST_F(Play, EntryRulesAtTheEndsOfTheListAndWhatOpeningRecords) {
    // step: +1 next, -1 previous, 0 play; expect: the entry then playing.
    const std::tuple<const char*, int, int, int, int, int, bool> cases[] = {
        {"next from the last stops", 3, 2, -1, 1, -1, false},
        {"next from the last wraps with loop", 3, 2, -1, 1, 0, true},
        {"previous from the first stops even with loop", 3, 0, -1, -1, -1, true},
        {"next with no current plays the first", 3, -1, -1, 1, 0, false},
        {"next on an empty list stops", 0, -1, -1, 1, -1, true},
        {"play with no current starts the selected one", 3, -1, 2, 0, 2, false},
        {"play with no current or selected one starts the first", 3, -1, -1, 0, 0, false},
    };
    for (auto [name, count, current, selected, step, expect, loop] : cases) {
        SCOPED_TRACE(name);
        ClearPlaylist(mainList);
        fill(count);
        loopFlag = loop;
        if (current >= 0)
            PlayEntry(current);
        mainList.selected = selected;
        if (step > 0)
            PlayNext();
        else if (step < 0)
            PlayPrevious();
        else
            executePlaybackCommand(CMD_PLAY_PAUSE);
        EXPECT_TRUE(eventually([] { return !media.opening; }));
        EXPECT_EQ(mainList.current, expect);
        EXPECT_EQ(playbackState, expect >= 0 ? Playing : Stopped);
        if (expect >= 0) { // opening an entry records its length and shows its title
            EXPECT_EQ(mainList.entries[expect]->duration, 3);
            EXPECT_STREQ(mainList.entries[expect]->timeText, "00:03") << "the row shows it";
            EXPECT_EQ(statusText, L"entry" + std::to_wstring(expect));
        }
        setPlaybackState(Stopped);
    }
}

LONGLONG position() {
    LONGLONG at = -1;
    onMedium([&](MediaContext& m) { m.seeking->GetCurrentPosition(&at); });
    return at;
}

TEST_F(Play, SeekingAndSkippingMoveTheRealPosition) {
    AppendEntry(mainList, asU16(mediaPath(L"silent640.avi").c_str()));
    PlayEntry(0);
    setPlaybackState(Paused);
    ASSERT_TRUE(eventually([] { return media.seekable; }));
    int width = seekBarWidth();
    seekBarTo(width / 2);
    EXPECT_NEAR(static_cast<double>(position()), static_cast<double>(media.duration / 2), 1e6);
    // A position asked for before a turn of the wheel comes back after it, while it plays: the bar
    // stays where the turn put it. The test makes the ticks itself.
    KillTimer(engineNotifyWindow, kPositionTimer);
    setPlaybackState(Playing);
    int before = seekProgress;
    pollPosition();
    skipOnBar(-1);
    ASSERT_TRUE(settled());
    EXPECT_EQ(seekProgress, before - width / 100);
    setPlaybackState(Paused);
    pollPosition(); // skips are sought at the tick
    EXPECT_LT(position(), media.duration / 2);
    for (int i = 0; i < 150; ++i)
        skipOnBar(1);
    EXPECT_EQ(seekProgress, width) << "never past the end";
    setPlaybackState(Stopped);
    skipOnBar(1);
    seekBarTo(40);
    EXPECT_EQ(seekProgress, 0) << "with nothing open nothing moves";
}

// The RealMedia filters are outside components. Stand-ins registered for this process under their
// classes show that they are created by class and added under their names, in order, before the
// source is rendered. Each stand-in is Wine's own File Source, which has no pins until it loads a
// file, so the graph holds it without rendering anything through it. Which files ask for them is
// the media plan's (tested in core).
const CLSID kClasses[] = {{0xE21BE468, 0x5C18, 0x43EB, {0xB0, 0xCC, 0xDB, 0x93, 0xA8, 0x47, 0xD7, 0x69}},
                          {0x238D0F23, 0x5DC9, 0x45A6, {0x9B, 0xE2, 0x66, 0x61, 0x60, 0xC3, 0x24, 0xDD}},
                          {0x941A4793, 0xA705, 0x4312, {0x8D, 0xFC, 0xC1, 0x1C, 0xA0, 0x5F, 0x39, 0x7E}}};
std::vector<IBaseFilter*> made; // in the order asked for, each with a reference of the test's own

class StandInFactory final : public Fake<IClassFactory> {
public:
    StandInFactory() : Fake(nullptr, "factory") {}
    HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        HRESULT hr = CoCreateInstance(CLSID_AsyncReader, outer, CLSCTX_INPROC_SERVER, iid, out);
        if (SUCCEEDED(hr) && iid == IID_IBaseFilter) {
            made.push_back(static_cast<IBaseFilter*>(*out));
            made.back()->AddRef();
        }
        return hr;
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }
};

// The filters of the playing graph found under the RealMedia names, after opening a copy named so.
std::vector<IBaseFilter*> realMediaFiltersOpening(const wchar_t* name) {
    std::wstring path = mediaCopy(L"silent320.avi", name);
    made.clear();
    EXPECT_TRUE(openInPlace(path));
    EXPECT_EQ(nativeWidth, 320) << "the source still renders through the graph";
    std::vector<IBaseFilter*> found;
    onMedium([&](MediaContext& m) {
        for (const wchar_t* filter :
             {L"RealMedia Splitter", L"RealMedia VideoDecoder", L"RealMedia AudioDecoder"}) {
            ComPtr<IBaseFilter> f;
            if (SUCCEEDED(m.graph->FindFilterByName(filter, &f)) && f)
                found.push_back(f.get());
        }
    });
    setPlaybackState(Stopped);
    EXPECT_TRUE(mediaReleased());
    return found;
}

// The stand-ins' factories, registered from a thread of the multithreaded apartment, where the
// media's sessions make their filters, while `use` runs; false when one could not be registered.
bool whileRegistered(StandInFactory* factories, const std::function<void()>& use) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr),
           done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool registered = true;
    std::thread apartment([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        DWORD cookies[3] = {};
        for (int i = 0; i < 3; ++i)
            registered &= CoRegisterClassObject(kClasses[i], &factories[i], CLSCTX_INPROC_SERVER,
                                                REGCLS_MULTIPLEUSE, &cookies[i]) == S_OK;
        SetEvent(ready);
        WaitForSingleObject(done, INFINITE);
        for (DWORD cookie : cookies)
            CoRevokeClassObject(cookie);
        CoUninitialize();
    });
    WaitForSingleObject(ready, INFINITE);
    if (registered)
        use();
    SetEvent(done);
    apartment.join();
    CloseHandle(ready), CloseHandle(done);
    return registered;
}

TEST(RealMedia, FiltersAreAddedInOrderUnderTheirNamesAndLeftOutWhenNotInstalled) {
    EXPECT_TRUE(realMediaFiltersOpening(L"film.rmvb").empty()) << "not installed: left out silently";
    StandInFactory factories[3];
    EXPECT_TRUE(whileRegistered(factories, [] {
        for (const wchar_t* name : {L"film.RMVB", L"clip.avi"}) {
            EXPECT_EQ(realMediaFiltersOpening(name), made) << ansi(name);
            EXPECT_EQ(made.size(), name[0] == L'c' ? 0u : 3u) << "never added for other files";
            for (IBaseFilter* filter : made)
                EXPECT_EQ(filter->Release(), 0u) << "the graph lets go of what it took";
        }
    }));
    for (const StandInFactory& factory : factories)
        EXPECT_EQ(factory.refs, 1);
}
} // namespace
