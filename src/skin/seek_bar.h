// The seek bar of the frame: the played part, the pointer's preview and seeks by its pixels.
#pragma once
#include <windows.h>

extern int seekProgress; // bar pixel of the playing position
extern int seekHover;    // bar pixel under the pointer, 0 for none

// The bar's width in the frame as it is now.
int seekBarWidth();
void drawSeekBar(HDC dc, int refWidth, int refHeight);
void drawSeekBarInFrame();
void setSeekProgress(long long pixels);
// Nothing plays: no played part, no preview.
void clearSeekBar();
// A position tick: the played part, and the time unless the pointer previews one.
void showPlayingPosition(LONGLONG position, LONGLONG duration);
// A DVD's time, in whole seconds of a title of the given length (0: not known): the time is shown
// even while the pointer previews another.
void showDiscTime(int seconds, int titleSeconds);
// The played part keeps its share of the bar when the frame changes width (drawn with the frame).
void keepSeekProgressShare();
// The pointer over the bar (0: off it) previews the time there; false when nothing changed.
bool setSeekHover(int pixels);
// A seek to a bar pixel: the bar moves at once; the media follow now (a click) or at the next
// tick (the wheel, skips). A pixel off the bar means its end; with nothing to seek, nothing moves.
void seekBarTo(int pixel);
void seekBarSoon(int pixel);
// Skip back (-1) or forward (+1): a DVD scans, anything else moves 1 % of the bar.
void skipOnBar(int direction);
