// Position, seeking, skipping, rate and frame stepping of the open media.
#pragma once
#include <windows.h>

int seekBarWidth();
void seekTo(int pixel);
void setPlaybackRate(double rate);
void stepFrame();
// One tick of the 200 ms position timer.
void pollPosition();
bool executeTransportCommand(WORD command);
