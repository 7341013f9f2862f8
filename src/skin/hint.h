// The transparent hint window over the video: short green texts and the volume bars.
#pragma once
#include <windows.h>

enum class HintMode { Hidden, Text, Volume };

extern HWND hintWindow;
extern HintMode hintMode;
extern wchar_t hintText[260];

void showTextHint(const RECT* screenRect, const wchar_t* text);
void showVolumeHint(bool on);
// Hides the hint (creating its window first if there is none yet).
void hideHint();
