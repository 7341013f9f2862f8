// Position, seeking, rate and frame stepping of the open media, in the media's own time.
#pragma once
#include <windows.h>

// Something open can be sought: a graph that seeks, or a DVD.
bool canSeek();
// Seeks at once to a time in the media's unit.
void seekNow(LONGLONG target);
// Seeks at the next position tick: however fast the wheel turns or a skip key repeats, the graph
// is sought at most once a tick.
void seekSoon(LONGLONG target);
void forgetPendingSeek();
// A DVD scans in the direction (-1 back, +1 forward); false when no DVD is open.
bool scanDisc(int direction);
void setPlaybackRate(double rate);
void stepFrame();
// One tick of the position timer: a sought position, then the end of media or the new position.
void pollPosition();
// Frame step and the rates; false for any other command.
bool executeTransportCommand(WORD command);
