// Flash movies through the host of the Shockwave Flash control, against the control the test
// prefix registers (a 100-frame movie at 25 frames a second); its calls are read from its log.
#include "support.h"

#include "app/shell.h"
#include "engine/media.h"
#include "engine/media_context.h"
#include "engine/renderer.h"
#include "engine/snapshot.h"
#include "engine/transport.h"
#include "flash/flash_host.h"
#include "playlist/playlist.h"
#include "skin/seek_bar.h"
#include "skin/frame.h"
#include "win32/wide.h"

#include <oleidl.h>
#include <gtest/gtest.h>

namespace {
using Lines = std::vector<std::string>;

class Flash : public PlayerTest {
protected:
    Lines calls() const { return log_.lines(); }
    bool called(const std::string& line) const { return log_.has(line); }
    // Calls an entry of the control's server by its name.
    static HRESULT server(const char* entry) {
        HMODULE dll = LoadLibraryW(L"flash_standin.dll");
        HRESULT hr =
            reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(dll, entry)))();
        FreeLibrary(dll);
        return hr;
    }
    StandInLog log_{L"ZON_FLASH_LOG"};
};

HWND controlWindow() {
    return FindWindowExW(displayWindow, nullptr, L"Flash Stand-in", nullptr);
}

TEST_F(Flash, TheHostIsOneIdentityWhoseCountNeverEndsItAndGivesBackAllItTookAtItsTeardown) {
    FlashHostPtr host = createFlashHost(displayWindow);
    ASSERT_TRUE(host) << "the stand-in control is registered";
    IUnknown* identity = flashHostIdentity(*host);
    void* face = reinterpret_cast<void*>(1);
    EXPECT_EQ(identity->QueryInterface(IID_IOleClientSite, &face), E_NOINTERFACE);
    EXPECT_EQ(face, nullptr);
    for (REFIID iid : {IID_IOleInPlaceSite, DIID_IShockwaveFlashEvents, IID_IMediaControl, IID_IMediaSeeking,
                       IID_IVideoWindow}) {
        ASSERT_EQ(identity->QueryInterface(iid, &face), S_OK);
        IUnknown* unknown = nullptr;
        static_cast<IUnknown*>(face)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
        EXPECT_EQ(unknown, identity) << "one identity";
        unknown->Release();
        static_cast<IUnknown*>(face)->Release();
    }
    ComPtr<IDispatch> events;
    identity->QueryInterface(DIID_IShockwaveFlashEvents, reinterpret_cast<void**>(&events));
    DISPPARAMS none = {};
    for (DISPID event : {-609, 150, 0x7a6, 12345})
        EXPECT_EQ(events->Invoke(event, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
                  S_OK);
    events.reset();
    ComPtr<IMediaControl> control;
    identity->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
    ULONG held = control->AddRef() - 2; // what the control holds: its site, its in-place site, our events
    control->Release();
    EXPECT_EQ(held, 3u);
    EXPECT_EQ(control->Stop(), S_OK) << "the teardown";
    EXPECT_EQ(control->AddRef(), 2u) << "every reference the control took is given back";
    control->Release();
    control.reset();
    EXPECT_EQ(identity->Release(), static_cast<ULONG>(-1)) << "counting below 0 ends nothing";
    identity->AddRef();
    EXPECT_EQ(controlWindow(), nullptr) << "the control's window went with it";
    Lines teardown = calls();
    teardown.erase(teardown.begin(), teardown.end() - std::min<long>(4, static_cast<long>(teardown.size())));
    EXPECT_EQ(teardown, (Lines{"LoadMovie 0 blank.swf 0", "Unadvise", "Close 1", "SetClientSite none"}));
    host.reset();
    EXPECT_EQ(server("DllCanUnloadNow"), S_OK) << "no object of the control is left";
}

TEST_F(Flash, AMovieIsDrivenInFramesAndTheNextEntryFollowsItsLastFrame) {
    AppendEntry(mainList, asU16(mediaPath(L"movie.swf").c_str()));
    AppendEntry(mainList, asU16(mediaPath(L"silent320.avi").c_str()));
    RECT display;
    GetClientRect(displayWindow, &display);
    PlayEntry(0);
    ASSERT_TRUE(eventually([] { return !media.opening; }));
    EXPECT_EQ(media.kind, MediaKind::Movie);
    EXPECT_EQ(media.duration, 100);
    EXPECT_EQ(nativeWidth, 640);
    EXPECT_EQ(nativeHeight, 360);
    EXPECT_FALSE(snapshotPossible()) << "no picture to save from a movie";
    Lines opening = {"SetClientSite site",
                     "SetObjectRects 0 0 " + std::to_string(display.right) + " " +
                         std::to_string(display.bottom),
                     "Advise",
                     "Scale showAll",
                     "BackgroundColor 070907",
                     "EmbedMovie -1",
                     "DoVerb -1"};
    Lines seen = calls();
    seen.resize(std::min(seen.size(), opening.size()));
    EXPECT_EQ(seen, opening);
    EXPECT_TRUE(called("LoadMovie 0 " + ansi(mediaPath(L"movie.swf")) + " 100"));
    RECT picture;
    GetClientRect(displayWindow, &display);
    EXPECT_TRUE(eventually([&] {
        GetWindowRect(controlWindow(), &picture);
        return picture.right - picture.left == display.right;
    })) << "the movie fills the display window";

    HRESULT pastTheEnd = S_OK, rate = E_FAIL;
    double speed = 0;
    onMedium([&](MediaContext& m) {
        LONGLONG stop = 100;
        pastTheEnd = m.seeking->SetPositions(&stop, 0, nullptr, 0);
        rate = m.seeking->GetRate(&speed);
    });
    EXPECT_EQ(pastTheEnd, S_FALSE) << "frame 100 is past the end";
    EXPECT_EQ(rate, S_OK);
    EXPECT_EQ(speed, 1.0);
    EXPECT_TRUE(eventually([] { return seekProgress > 0; })) << "the seek bar moves by frames";
    EXPECT_TRUE(eventually([&] { return called("OnProgress 10 answered 0"); }))
        << "the control's event is taken";
    EXPECT_EQ(mainList.entries[0]->duration, 0) << "frames are no seconds";
    // Paused, the movie stays paused however often its position is read; halted by itself midway,
    // the next tick plays it on.
    setPlaybackState(Paused);
    ASSERT_TRUE(onMedium([&](MediaContext& m) {
        LONGLONG position = 0;
        for (int i = 0; i < 3; ++i)
            m.seeking->GetCurrentPosition(&position);
    }));
    EXPECT_EQ(log_.after("Stop"), Lines{}) << "no Play after a pause";
    setPlaybackState(Playing);
    onMedium([](MediaContext& m) { haltFlash(*m.flashHost); });
    EXPECT_TRUE(eventually([&] { return log_.after("Stop") == Lines{"Play"}; }))
        << "played on after halting by itself";
    // A seek from the wheel goes to the frame and plays on.
    seekBarTo(seekBarWidth() / 2);
    EXPECT_TRUE(eventually([&] { return called("GotoFrame 50"); }));
    EXPECT_EQ(calls().back(), "Play") << "the movie plays on from there";
    onMedium([](MediaContext& m) {
        LONGLONG last = 99;
        m.seeking->SetPositions(&last, 0, nullptr, 0);
    });
    EXPECT_TRUE(eventually([] { return mainList.current == 1; })) << "the last frame ends the movie";
    EXPECT_NE(media.kind, MediaKind::Movie);
    EXPECT_TRUE(eventually([&] { return called("LoadMovie 0 blank.swf 0"); }));
}

TEST_F(Flash, InputOnTheMovieReachesTheDisplayWindowAndTheControlsMenuNeverOpens) {
    static std::vector<UINT> seen;
    static WNDPROC display;
    seen.clear();
    std::wstring movie = mediaPath(L"movie.swf");
    ASSERT_TRUE(openInPlace(movie));
    ASSERT_TRUE(eventually([] { return controlWindow() != nullptr; }));
    display = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        displayWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            if (m == WM_RBUTTONDOWN || m == WM_MOUSEMOVE || m == WM_KEYDOWN)
                seen.push_back(m);
            return CallWindowProcW(display, w, m, wp, lp);
        })));
    for (UINT message : {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_KEYDOWN})
        SendMessageW(controlWindow(), message, 0, MAKELPARAM(10, 10));
    SetWindowLongPtrW(displayWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(display));
    EXPECT_EQ(seen, (std::vector<UINT>{WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_KEYDOWN}));
    EXPECT_FALSE(called("ContextMenu"));
    setPlaybackState(Stopped);
}

TEST_F(Flash, AnUnregisteredControlFailsTheOpenAndLeavesNothingOpen) {
    ASSERT_EQ(server("DllUnregisterServer"), S_OK);
    AppendEntry(mainList, asU16(mediaPath(L"movie.swf").c_str()));
    AppendEntry(mainList, asU16(mediaPath(L"silent320.avi").c_str()));
    PlayEntry(0);
    EXPECT_TRUE(eventually([] { return playbackState == Stopped; })) << "nothing plays";
    EXPECT_EQ(media.kind, MediaKind::None);
    EXPECT_EQ(mainList.current, 0);
    PlayNext();
    EXPECT_TRUE(eventually([] { return !media.opening; }));
    EXPECT_EQ(playbackState, Playing) << "the next entry plays";
    EXPECT_EQ(server("DllRegisterServer"), S_OK);
}
} // namespace
