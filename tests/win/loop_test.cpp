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
std::vector<MSG> seen;
HWND* const watched[] = {&mainWindow, &displayWindow};
WNDPROC originals[2];

WNDPROC subclass(HWND w, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

MSG message(UINT m, WPARAM wp, LPARAM lp, HWND w = displayWindow) {
    MSG msg = {};
    msg.hwnd = w;
    msg.message = m;
    msg.wParam = wp;
    msg.lParam = lp;
    return msg;
}

LPARAM hitAt = -1; // the screen point the main window's frame last looked at

// Commands, closing, keys and wheel turns are only recorded: their handling is tested elsewhere.
template <int N> LRESULT CALLBACK recorder(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    hitAt = N == 0 && m == WM_NCHITTEST ? lp : hitAt;
    if (m != WM_COMMAND && m != WM_CLOSE && m != WM_KEYDOWN && m != WM_MOUSEWHEEL)
        return CallWindowProcW(originals[N], w, m, wp, lp);
    seen.push_back(message(m, wp, lp, w));
    return 0;
}
const WNDPROC recorders[] = {recorder<0>, recorder<1>};

LPARAM screenPointOf(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class Loop : public PlayerTest {
protected:
    void SetUp() override {
        atRest();
        for (int i = 0; i < 2; ++i)
            originals[i] = subclass(*watched[i], recorders[i]);
        seen.clear();
        mainWindowActive = true;
    }
    void TearDown() override {
        for (int i = 0; i < 2; ++i)
            subclass(*watched[i], originals[i]);
        mainWindowActive = true;
        atRest();
    }
};

constexpr LPARAM kAltHeld = 1 << 29;

// Which key does what is the key table's (tested in core), and the shortcuts a user presses go through
// the real loop end to end; here, what only the loop decides.
TEST_F(Loop, KeysAreSentAsCommandsReaddressedToTheListOrTaken) {
    const struct {
        UINT message, key;
        LPARAM lParam;
        bool ctrl, taken;
        WORD command; // sent to the main window; 0 for nothing sent
    } cases[] = {
        {WM_KEYDOWN, 'O', 0, true, true, CMD_FILE_OPEN}, // Ctrl as the keyboard's state says
        {WM_KEYDOWN, 'O', 0, false, false, 0},
        {WM_KEYDOWN, 'R', 0, false, true, 0},                // nothing plays: taken, nothing happens
        {WM_SYSKEYDOWN, VK_SPACE, kAltHeld, false, true, 0}, // no system menu
        {WM_SYSKEYDOWN, VK_F10, 0, false, true, 0},          // a system key without Alt
    };
    for (const auto& c : cases) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = c.ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        seen.clear();
        MSG msg = message(c.message, c.key, c.lParam);
        EXPECT_EQ(preTranslateMessage(msg), c.taken) << "key " << c.key;
        EXPECT_EQ(msg.hwnd, c.taken ? displayWindow : playlistWindow) << "key " << c.key;
        ASSERT_EQ(seen.size(), c.command != 0 ? 1u : 0u) << "key " << c.key;
        if (c.command != 0) {
            EXPECT_EQ(seen[0].hwnd, mainWindow);
            EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_COMMAND));
            EXPECT_EQ(seen[0].wParam, MAKEWPARAM(c.command, 0)) << "key " << c.key;
        }
    }
    mainWindowActive = false;
    for (UINT m : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_MOUSEWHEEL}) {
        MSG msg = message(m, 'S', kAltHeld);
        EXPECT_FALSE(preTranslateMessage(msg)) << "nothing is taken while another application is active";
        EXPECT_EQ(msg.hwnd, displayWindow);
    }
}

TEST_F(Loop, TheWheelTurnsTheVolumeSeeksOrScrollsTheListUnderThePointer) {
    MSG overList = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), screenPointOf(playlistWindow));
    EXPECT_FALSE(preTranslateMessage(overList));
    EXPECT_EQ(overList.hwnd, playlistWindow) << "the list scrolls without the focus";
    EXPECT_EQ(wheelRemainder, 0) << "the loop takes no notch when it only re-addresses";

    hotControl = kMuteRow;
    for (int remainder : {60, 0}) {
        MSG half = message(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), screenPointOf(playlistWindow));
        EXPECT_TRUE(preTranslateMessage(half)) << "over the mute button the volume changes";
        EXPECT_EQ(wheelRemainder, remainder);
    }
    hotControl = -1;

    // The pointer rests on the seek bar between two files of one size; the second takes the wheel
    // there without a move.
    std::wstring path = mediaPath(L"silent640.avi");
    ASSERT_TRUE(openInPlace(path));
    setPlaybackState(Stopped);
    RECT r;
    GetWindowRect(mainWindow, &r);
    SetCursorPos((r.left + r.right) / 2, r.bottom - 46);
    ASSERT_TRUE(eventually([&] { return hitAt == MAKELPARAM((r.left + r.right) / 2, r.bottom - 46); }));
    EXPECT_EQ(seekHover, 0);
    ASSERT_TRUE(openInPlace(path));
    EXPECT_GT(seekHover, 0) << "the seek bar under the pointer";
    seekProgress = 100;
    MSG down = message(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_TRUE(preTranslateMessage(down));
    EXPECT_EQ(seekProgress, 99) << "over the seek bar a pixel a notch, one notch per message";
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
}

} // namespace
