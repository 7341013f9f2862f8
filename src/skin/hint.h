// The transparent hint window over the video: short green texts and the volume bars.
#pragma once
#include <windows.h>

enum class HintMode { Hidden, Text, Volume };

extern HWND hintWindow;
extern HintMode hintMode;
extern wchar_t hintText[260];

void showTextHint(const RECT* screenRect, const wchar_t* text);
// The volume bars over a display window's screen rectangle, at a level of 0 to 100 (-1: unknown),
// red while the sound is off.
void showVolumeHint(const RECT& display, int percent, bool muted);
// Hides the hint (creating its window first if there is none yet).
void hideHint();
