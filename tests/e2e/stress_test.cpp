// Gestures as fast as a person makes them, through the system's input, while clips play.
#include "player.h"

#include <gtest/gtest.h>

#include <string>

namespace {
void wheel(int notches, DWORD gap) {
    for (int i = 0; i < (notches > 0 ? notches : -notches); ++i) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_WHEEL;
        input.mi.mouseData = static_cast<DWORD>(notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA);
        SendInput(1, &input, sizeof input);
        if (gap > 0)
            Sleep(gap);
    }
}

// The pointer comes to rest on the middle of the seek bar, moving as a hand does.
void restOnTheSeekBar(const Player& player) {
    RECT r = player.windowRect();
    SetCursorPos(r.left + (r.right - r.left) / 2, r.bottom - 46);
    for (LONG dx : {1, -1}) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        input.mi.dx = dx;
        SendInput(1, &input, sizeof input);
    }
    player.roundTrip();
}

bool answersWithinASecond(const Player& player) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(player.main(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
}

TEST(Stress, WheelBurstsOnTheSeekBarWhileClipsWithSoundPlayToTheirEnds) {
    constexpr int kEntries = 10;
    std::string list = "#EXTM3U";
    for (int i = 0; i < kEntries; ++i)
        list += "\r\n" + ansi(mediaPath(L"clip8.avi"));
    Player player("[PLAYLIST]\r\nIndex=0\r\n", {{L"default.m3u", list}});
    ASSERT_TRUE(player.started());
    ASSERT_TRUE(player.listShown());
    player.activate();
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(42001, 0), 0);
    int unanswered = 0;
    // Each round turns the wheel forward and back in bursts, then far forward: the clip reaches
    // its end soon after and the next one starts.
    for (int round = 0; round < kEntries + 4; ++round) {
        Sleep(700);
        restOnTheSeekBar(player);
        wheel(20, 30);
        wheel(-15, 30);
        wheel(40, 0);
        wheel(600, 0);
        for (DWORD start = GetTickCount(); GetTickCount() - start < 1500; Sleep(100))
            unanswered += answersWithinASecond(player) ? 0 : 1;
    }
    EXPECT_EQ(unanswered, 0) << "the window answered every probe within a second";
    EXPECT_EQ(player.close(), 0) << "and closes by itself";
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"-1")
        << "every clip played to its end";
}
} // namespace
