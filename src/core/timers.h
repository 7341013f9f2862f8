// Every timer of the player's windows: the window, the identifier and the period in milliseconds.
#pragma once

// The main window.
constexpr unsigned kPositionTimer = 1, kPositionTimerPeriod = 200;  // position, seek bar, end of media
constexpr unsigned kFrameHoverTimer = 200, kFrameHoverPeriod = 200; // notices the pointer leaving
constexpr unsigned kCloseWaitTimer = 2; // once, when a medium let go of has not released in time
// The display window.
constexpr unsigned kCursorTimer = 100, kCursorDelay = 2000; // hides the resting pointer
// The hint window.
constexpr unsigned kHintTimer = 1, kHintLife = 2500; // hides a text hint
// The play-list window.
constexpr unsigned kScrollRepeatTimer = 101, kScrollRepeatPeriod = 100; // a held scroll button
constexpr unsigned kListLoadTimer = 102, kListLoadDelay = 50;           // the start-up load, once
constexpr unsigned kListSaveTimer = 103, kListSaveDelay = 1000, kListSaveRetry = 5000; // a change saved
constexpr unsigned kListHoverTimer = 200, kListHoverPeriod = 200; // the strip's and scroll bar's hover
