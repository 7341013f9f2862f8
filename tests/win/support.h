// Helpers of the Win32 unit tests: the player's windows in this process, its list, its pixels.
#pragma once
#include "../common/test_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Every test starts and ends with the player at rest: nothing open, an empty list, nothing hot or
// pressed, the frame shown at 100 %, no hint, no key held, everything drawn anew.
class PlayerTest : public testing::Test {
protected:
    void SetUp() override { atRest(); }
    void TearDown() override { atRest(); }
    static void atRest();
};

// A window's pixels as they are on the screen: the client area, or the whole window.
struct Capture {
    int width = 0, height = 0;
    std::vector<unsigned> pixels;
    COLORREF at(int x, int y) const;
};
Capture capture(HWND window, bool wholeWindow);

// The system's pointer at a client point of a window, as a person moves it; its messages handled.
void pointerTo(HWND window, int x, int y);

// How far the window's picture lies from the key colour: the largest channel difference found.
int pictureContrast(HWND window);

// The identifiers of this process's threads.
std::vector<DWORD> threadsOfThisProcess();

// Opens a file as a list entry's path is opened: in place, so the caller sees what the engine wrote,
// and waits until its session has told what it opened.
bool openInPlace(std::wstring& path);
// Runs `look` with the open medium's objects on its session's thread, and waits until it has run
// (false when nothing is open or it did not come back).
struct MediaContext;
bool onMedium(std::function<void(MediaContext&)> look);
// Waits until the open medium has done all it was handed.
bool settled();
// Waits until the media let go of are released (their files free, their threads ended).
bool mediaReleased(DWORD ms = 4000);

// The paths of the active list, in order.
std::vector<std::wstring> listPaths();
