// The skinned frame of the main window: caption, borders, the panel with buttons, seek bar and time.
#pragma once
#include "core/skin_rules.h"

#include <windows.h>

extern wchar_t statusText[128];
extern int displayedSeconds;
extern int seekProgress;
extern int seekHover;
extern int hotControl, pressedControl;

constexpr UINT_PTR hoverTimerId = 200;

SkinState currentSkinState();
void drawFrame(HWND window);
void drawControls(HWND window);
void drawSeekBar(HDC dc, int refWidth, int refHeight);
void drawStatusText(HDC dc, int refWidth, int refHeight, int seconds, const wchar_t* title);
// The same two straight into the main window's frame, at its recorded size.
void drawSeekBarInFrame();
void drawStatusTextInFrame(int seconds, const wchar_t* title);
void setSeekProgress(long long pixels);
void setDisplayedSeconds(long long seconds);
void setHoverOffset(int pixels);
void setHotControl(int row);
void repaintMainMenuBar();
// The main menu bar's strip: the client area left of the docked list.
RECT mainMenuBarRect();
void hoverTimerTick();
