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

LRESULT record(WNDPROC original, HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND || m == WM_CLOSE || m == WM_KEYDOWN || m == WM_MOUSEWHEEL) {
        seen.push_back({w, m, wp});
        // Commands and closing are only observed: the player's own handling is tested elsewhere.
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
    }
    static WNDPROC subclass(HWND w, WNDPROC proc) {
        return reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    }
    static MSG message(UINT m, WPARAM wp, LPARAM lp, HWND target = nullptr) {
        MSG msg = {};
        msg.hwnd = target != nullptr ? target : mainWindow;
        msg.message = m;
        msg.wParam = wp;
        msg.lParam = lp;
        return msg;
    }
};

constexpr LPARAM kAltHeld = 1 << 29;

TEST_F(Loop, ShortcutKeysAreSentToTheMainWindowAndConsumed) {
    struct Case {
        UINT key;
        bool ctrl;
        WORD command;
    } cases[] = {{'P', false, CMD_PLAY_PAUSE},
                 {VK_RETURN, false, CMD_PLAY_PAUSE},
                 {'S', false, CMD_STOP},
                 {VK_SPACE, false, CMD_FRAME_STEP},
                 {VK_ESCAPE, false, CMD_VIEW_FULLSCREEN},
                 {VK_OEM_PLUS, false, CMD_ZOOM_IN},
                 {VK_OEM_MINUS, false, CMD_ZOOM_OUT},
                 {'B', false, CMD_SKIP_BACK},
                 {'F', false, CMD_SKIP_FORWARD},
                 {'N', false, CMD_NEXT},
                 {'V', false, CMD_PREVIOUS},
                 {'O', true, CMD_FILE_OPEN}};
    for (const Case& c : cases) {
        BYTE keys[256] = {};
        if (c.ctrl)
            keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        seen.clear();
        MSG msg = message(WM_KEYDOWN, c.key, 0, displayWindow);
        EXPECT_TRUE(preTranslateMessage(msg)) << "key " << c.key;
        ASSERT_EQ(seen.size(), 1u) << "key " << c.key;
        EXPECT_EQ(seen[0].window, mainWindow);
        EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_COMMAND));
        EXPECT_EQ(seen[0].wParam, MAKEWPARAM(c.command, 0)) << "key " << c.key;
    }
}

TEST_F(Loop, OtherKeysAreReaddressedToThePlayList) {
    const UINT keys[] = {'O', 'A', 'X', VK_F10, VK_DOWN, VK_NEXT, VK_NUMPAD1, VK_ADD};
    for (UINT key : keys) {
        seen.clear();
        MSG msg = message(WM_KEYDOWN, key, 0, displayWindow);
        EXPECT_FALSE(preTranslateMessage(msg)) << "key " << key;
        EXPECT_EQ(msg.hwnd, playlistWindow) << "key " << key;
        EXPECT_TRUE(seen.empty());
    }
}

TEST_F(Loop, RenameKeyIsTakenEvenWhenNothingPlays) {
    ASSERT_EQ(playbackState, Stopped);
    MSG msg = message(WM_KEYDOWN, 'R', 0);
    EXPECT_TRUE(preTranslateMessage(msg));
    EXPECT_EQ(msg.hwnd, mainWindow);
    EXPECT_TRUE(seen.empty());
}

TEST_F(Loop, AltCombinationsAreSentAndSystemKeysNeverDispatched) {
    struct Case {
        WPARAM key;
        LPARAM lParam;
        HWND target;
        UINT message;
        WPARAM wParam;
    } cases[] = {
        {VK_RETURN, kAltHeld, mainWindow, WM_COMMAND, MAKEWPARAM(CMD_VIEW_FULLSCREEN, 0)},
        {'O', kAltHeld, mainWindow, WM_COMMAND, MAKEWPARAM(CMD_ZOOM_100, 0)},
        {VK_F4, kAltHeld, mainWindow, WM_CLOSE, 0},
        {'X', kAltHeld, nullptr, 0, 0},
        {VK_F10, 0, nullptr, 0, 0},    // F10 comes as a system key without Alt
        {VK_RETURN, 0, nullptr, 0, 0}, // no Alt: nothing
        {VK_MENU, kAltHeld, nullptr, 0, 0},
    };
    for (const Case& c : cases) {
        seen.clear();
        MSG msg = message(WM_SYSKEYDOWN, c.key, c.lParam);
        EXPECT_TRUE(preTranslateMessage(msg)) << "key " << c.key;
        if (c.target == nullptr) {
            EXPECT_TRUE(seen.empty()) << "key " << c.key;
            continue;
        }
        ASSERT_EQ(seen.size(), 1u) << "key " << c.key;
        EXPECT_EQ(seen[0].window, c.target);
        EXPECT_EQ(seen[0].message, c.message);
        EXPECT_EQ(seen[0].wParam, c.wParam);
    }
}

TEST_F(Loop, NothingIsPreTranslatedWhileAnotherApplicationIsActive) {
    mainWindowActive = false;
    const UINT messages[] = {WM_KEYDOWN, WM_SYSKEYDOWN, WM_MOUSEWHEEL};
    for (UINT m : messages) {
        MSG msg = message(m, 'S', kAltHeld, displayWindow);
        EXPECT_FALSE(preTranslateMessage(msg));
        EXPECT_EQ(msg.hwnd, displayWindow);
    }
    EXPECT_TRUE(seen.empty());
}

LPARAM screenPointOf(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TEST_F(Loop, WheelOverTheListScrollsItWithoutTheFocus) {
    MSG msg = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), screenPointOf(playlistWindow), displayWindow);
    EXPECT_FALSE(preTranslateMessage(msg));
    EXPECT_EQ(msg.hwnd, playlistWindow);
    EXPECT_EQ(wheelRemainder, 0) << "the loop takes no notch when it only re-addresses";

    MSG elsewhere = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), screenPointOf(displayWindow), mainWindow);
    EXPECT_FALSE(preTranslateMessage(elsewhere));
    EXPECT_EQ(elsewhere.hwnd, mainWindow) << "elsewhere the message goes to the focus window unchanged";
}

TEST_F(Loop, WheelOnTheMuteButtonChangesTheVolumeOneNotchPerMessage) {
    hotControl = 5;
    MSG half = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), screenPointOf(playlistWindow));
    EXPECT_TRUE(preTranslateMessage(half));
    EXPECT_EQ(wheelRemainder, 60);
    MSG other = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), screenPointOf(playlistWindow));
    EXPECT_TRUE(preTranslateMessage(other));
    EXPECT_EQ(wheelRemainder, 0);
    EXPECT_EQ(other.hwnd, mainWindow);
}

TEST_F(Loop, WheelOnTheSeekBarSeeksOnePixelPerNotch) {
    std::wstring path = mediaPath(L"silent640.avi");
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(0);
    ASSERT_TRUE(openMedia(buffer.data()));
    seekHover = 40;
    seekProgress = 100;
    MSG up = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_TRUE(preTranslateMessage(up));
    EXPECT_EQ(seekProgress, 101);
    MSG down = message(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_TRUE(preTranslateMessage(down));
    EXPECT_EQ(seekProgress, 100) << "one notch per message; the rest waits";
    setPlaybackState(Stopped);

    seekHover = 40;
    MSG withoutMedia = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), screenPointOf(displayWindow));
    EXPECT_FALSE(preTranslateMessage(withoutMedia)) << "without a seeking interface the wheel is not seeking";
}
} // namespace

namespace {
TEST_F(Loop, MenuCommandsReachTheirOwners) {
    struct Case {
        WORD command;
        HWND* owner;
        WORD forwarded;
    } cases[] = {
        {40001, &playlistWindow, 40001}, {40003, &displayWindow, 40003}, {41002, &displayWindow, 41002},
        {41011, &displayWindow, 41011},  {41012, &displayWindow, 41012}, {41013, &displayWindow, 41013},
        {41014, &displayWindow, 41014},  {41015, &displayWindow, 41015}, {44003, &displayWindow, 41002},
    };
    for (const Case& c : cases) {
        seen.clear();
        EXPECT_TRUE(executeCommand(mainWindow, MAKEWPARAM(c.command, 0), 0)) << c.command;
        ASSERT_EQ(seen.size(), 1u) << c.command;
        EXPECT_EQ(seen[0].window, *c.owner) << c.command;
        EXPECT_EQ(LOWORD(seen[0].wParam), c.forwarded) << c.command;
    }
    // Commands the main window runs itself, and identifiers nobody owns.
    seen.clear();
    bool visible = playlistVisible;
    executeCommand(mainWindow, MAKEWPARAM(41001, 0), 0);
    EXPECT_NE(playlistVisible, visible);
    executeCommand(mainWindow, MAKEWPARAM(41001, 0), 0);
    EXPECT_EQ(playlistVisible, visible);
    EXPECT_FALSE(executeCommand(mainWindow, MAKEWPARAM(41999, 0), 0));
    EXPECT_TRUE(seen.empty());
}
} // namespace
