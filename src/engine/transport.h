// Position, seeking, skipping, rate and frame stepping of the open media.
#pragma once
#include <windows.h>

int seekBarWidth();
// Seeks at once to the media time of a bar pixel (a click on the bar).
void seekTo(int pixel);
// Moves the bar at once and seeks at the next position tick: however fast the wheel turns or a
// skip key repeats, the graph is sought at most once a tick.
void seekSoon(int pixel);
void forgetPendingSeek();
void setPlaybackRate(double rate);
void stepFrame();
// One tick of the 200 ms position timer.
void pollPosition();
bool executeTransportCommand(WORD command);
