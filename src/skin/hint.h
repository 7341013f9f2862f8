// The transparent hint window over the video.
#pragma once
#include <windows.h>

void showTextHint(const RECT* screenRect, const wchar_t* text);
void showVolumeHint(bool on);
void hideHint();
