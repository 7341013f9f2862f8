// The message loop's pre-translation, on the player's real windows, with a recorder in front of
// each window procedure.
#include "support.h"

#include "app/main_window.h"
#include "app/shell.h"
#include "core/command_ids.h"
#include "engine/media.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
struct Seen {
    HWND window;
    UINT message;
    WPARAM wParam;
};
std::vector<Seen> seen;
WNDPROC originalMain, originalDisplay, originalList;

// Commands, closing, keys and wheel turns are only recorded: their handling is tested elsewhere.
LRESULT record(WNDPROC original, HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND || m == WM_CLOSE || m == WM_KEYDOWN || m == WM_MOUSEWHEEL) {
        seen.push_back({w, m, wp});
        return 0;
    }
    return CallWindowProcW(original, w, m, wp, lp);
}
LRESULT CALLBACK recordMain(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return record(originalMain, w, m, wp, lp);
}
LRESULT CALLBACK recordDisplay(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return record(originalDisplay, w, m, wp, lp);
}
LRESULT CALLBACK recordList(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return record(originalList, w, m, wp, lp);
}

WNDPROC subclass(HWND w, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

MSG message(UINT m, WPARAM wp, LPARAM lp, HWND target) {
    MSG msg = {};
    msg.hwnd = target;
    msg.message = m;
    msg.wParam = wp;
    msg.lParam = lp;
    return msg;
}

LPARAM screenPointOf(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class Loop : public testing::Test {
protected:
    void SetUp() override {
        originalMain = subclass(mainWindow, recordMain);
        originalDisplay = subclass(displayWindow, recordDisplay);
        originalList = subclass(playlistWindow, recordList);
        seen.clear();
        mainWindowActive = true;
        wheelRemainder = 0;
    }
    void TearDown() override {
        subclass(mainWindow, originalMain);
        subclass(displayWindow, originalDisplay);
        subclass(playlistWindow, originalList);
        BYTE keys[256] = {};
        SetKeyboardState(keys);
        hotControl = -1;
        seekHover = 0;
        setPlaybackState(Stopped);
    }
};

constexpr LPARAM kAltHeld = 1 << 29;

TEST_F(Loop, KeysAreSentAsCommandsReaddressedToTheListOrTaken) {
    struct Case {
        UINT message;
        UINT key;
        LPARAM lParam;
        bool ctrl;
        bool taken;
        HWND* goesTo;  // where the message is re-addressed (not taken) or what was sent to (taken)
        UINT sent;     // the message sent, 0 for none
        WPARAM wParam; // its wParam
    } cases[] = {
        {WM_KEYDOWN, 'P', 0, false, true, &mainWindow, WM_COMMAND, MAKEWPARAM(CMD_PLAY_PAUSE, 0)},
        {WM_KEYDOWN, 'O', 0, true, true, &mainWindow, WM_COMMAND, MAKEWPARAM(CMD_FILE_OPEN, 0)},
        {WM_KEYDOWN, 'O', 0, false, false, &playlistWindow, 0, 0},
        {WM_KEYDOWN, VK_DOWN, 0, false, false, &playlistWindow, 0, 0},
        {WM_KEYDOWN, 'R', 0, false, true, nullptr, 0, 0}, // nothing plays: taken, nothing happens
        {WM_SYSKEYDOWN, VK_RETURN, kAltHeld, false, true, &mainWindow, WM_COMMAND,
         MAKEWPARAM(CMD_VIEW_FULLSCREEN, 0)},
        {WM_SYSKEYDOWN, VK_F4, kAltHeld, false, true, &mainWindow, WM_CLOSE, 0},
        {WM_SYSKEYDOWN, 'X', kAltHeld, false, true, nullptr, 0, 0},
        {WM_SYSKEYDOWN, VK_SPACE, kAltHeld, false, true, nullptr, 0, 0}, // no system menu
        {WM_SYSKEYDOWN, VK_F10, 0, false, true, nullptr, 0, 0},          // a system key without Alt
    };
    for (const Case& c : cases) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = c.ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        seen.clear();
        MSG msg = message(c.message, c.key, c.lParam, displayWindow);
        EXPECT_EQ(preTranslateMessage(msg), c.taken) << "key " << c.key;
        if (!c.taken) {
            EXPECT_EQ(msg.hwnd, *c.goesTo) << "key " << c.key;
            continue;
        }
        ASSERT_EQ(seen.size(), c.sent != 0 ? 1u : 0u) << "key " << c.key;
        if (c.sent != 0) {
            EXPECT_EQ(seen[0].window, *c.goesTo);
            EXPECT_EQ(seen[0].message, c.sent);
            EXPECT_EQ(seen[0].wParam, c.wParam) << "key " << c.key;
        }
    }
    mainWindowActive = false;
    for (UINT m : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_MOUSEWHEEL}) {
        MSG msg = message(m, 'S', kAltHeld, displayWindow);
        EXPECT_FALSE(preTranslateMessage(msg)) << "nothing is taken while another application is active";
        EXPECT_EQ(msg.hwnd, displayWindow);
    }
}

TEST_F(Loop, TheWheelTurnsTheVolumeSeeksOrScrollsTheListUnderThePointer) {
    MSG overList = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), screenPointOf(playlistWindow), displayWindow);
    EXPECT_FALSE(preTranslateMessage(overList));
    EXPECT_EQ(overList.hwnd, playlistWindow) << "the list scrolls without the focus";
    EXPECT_EQ(wheelRemainder, 0) << "the loop takes no notch when it only re-addresses";

    hotControl = kMuteRow;
    for (int remainder : {60, 0}) {
        MSG half = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), screenPointOf(playlistWindow), mainWindow);
        EXPECT_TRUE(preTranslateMessage(half)) << "over the mute button the volume changes";
        EXPECT_EQ(wheelRemainder, remainder);
    }
    hotControl = -1;

    std::wstring path = mediaPath(L"silent640.avi");
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(0);
    ASSERT_TRUE(openMedia(buffer.data()));
    seekHover = 40;
    seekProgress = 100;
    MSG up = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0, mainWindow);
    EXPECT_TRUE(preTranslateMessage(up));
    EXPECT_EQ(seekProgress, 101) << "over the seek bar it seeks a pixel a notch";
    MSG down = message(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0, mainWindow);
    EXPECT_TRUE(preTranslateMessage(down));
    EXPECT_EQ(seekProgress, 100) << "one notch per message; the rest waits";
    setPlaybackState(Stopped);
    seekHover = 40;
    MSG nothingOpen = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), screenPointOf(displayWindow), mainWindow);
    EXPECT_FALSE(preTranslateMessage(nothingOpen)) << "with nothing open the wheel does not seek";
}

TEST_F(Loop, CommandsReachTheWindowThatOwnsThem) {
    struct Case {
        WORD command;
        HWND* owner;
        WORD forwarded;
    } cases[] = {{CMD_FILE_OPEN, &playlistWindow, CMD_FILE_OPEN},
                 {CMD_ZOOM_200, &displayWindow, CMD_ZOOM_200},
                 {CMD_BUTTON_FULLSCREEN, &displayWindow, CMD_VIEW_FULLSCREEN}};
    for (const Case& c : cases) {
        seen.clear();
        EXPECT_TRUE(executeCommand(mainWindow, MAKEWPARAM(c.command, 0), 0)) << c.command;
        ASSERT_EQ(seen.size(), 1u) << c.command;
        EXPECT_EQ(seen[0].window, *c.owner) << c.command;
        EXPECT_EQ(LOWORD(seen[0].wParam), c.forwarded) << c.command;
    }
    EXPECT_FALSE(executeCommand(mainWindow, MAKEWPARAM(41999, 0), 0)) << "nobody owns it";
}
} // namespace
