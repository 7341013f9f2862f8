// The skinned frame of the main window: caption, borders, the panel with buttons and the time.
#pragma once
#include "core/skin_rules.h"

#include <windows.h>

// The main window whose frame is drawn, handed over once by the shell.
extern HWND frameWindow;
void attachFrame(HWND window);
// Full screen shows no frame: nothing of it is drawn, though its values go on changing.
void showFrame(bool shown);
bool frameShown();

// The list's part of what the buttons show, asked of the list through the shell.
struct ListFacts {
    int count;
    int current;
    bool loop;
};
extern ListFacts (*listFacts)();

extern wchar_t statusText[128];
extern int displayedSeconds;
extern int hotControl, pressedControl;

SkinState currentSkinState();
void drawFrame(HWND window);
void drawControls();
void drawStatusText(HDC dc, int refWidth, int refHeight, int seconds, const wchar_t* title);
void drawStatusTextInFrame(int seconds, const wchar_t* title);
// The title of what plays, at most 127 characters (longer ones are cut).
void setStatusText(const wchar_t* text);
void setDisplayedSeconds(long long seconds);
// Nothing plays: the bar, the time and the title are cleared.
void clearPlayingDisplay();
// False when the row was already so.
bool setHotControl(int row);
void setPressedControl(int row);
// After a click the pointer's button is found afresh by the next hit test; nothing is redrawn.
void forgetHotControl();
// The mute button shows pressed exactly while the sound is off.
void setMuteLatched(bool muted);
