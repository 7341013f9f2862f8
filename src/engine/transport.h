// Position, seeking, rate and frame stepping of the open medium, in the medium's own time. Each is
// handed to the medium's session; positions come back from it at the position ticks.
#pragma once
#include <windows.h>

// Something open can be sought: a medium of known length that seeks, or a DVD.
bool canSeek();
// Seeks at once to a time in the medium's unit.
void seekNow(LONGLONG target);
// Seeks at the next position tick: however fast the wheel turns or a skip key repeats, the medium
// is sought at most once a tick.
void seekSoon(LONGLONG target);
void forgetPendingSeek();
// A DVD scans in the direction (-1 back, +1 forward); false when no DVD is open.
bool scanDisc(int direction);
void setPlaybackRate(double rate);
void stepFrame();
// One tick of the position timer: a sought position, then the position asked for (the end of the
// medium or its new position comes back); an open that has taken too long is given up.
void pollPosition();
// Frame step and the rates; false for any other command.
bool executeTransportCommand(WORD command);
