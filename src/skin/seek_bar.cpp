#include "skin/seek_bar.h"

#include "core/skin_table.h"
#include "core/transport_math.h"
#include "engine/media.h"
#include "engine/transport.h"
#include "skin/frame.h"
#include "skin/skin.h"
#include "win32/guards.h"

int seekProgress;
int seekHover;

int seekBarWidth() {
    RECT r = {};
    GetWindowRect(frameWindow, &r);
    return resolveEdgeRect(seekBarRect, r.right - r.left, r.bottom - r.top).width();
}

void drawSeekBar(HDC dc, int refWidth, int refHeight) {
    ResolvedRect r = resolveEdgeRect(seekBarRect, refWidth, refHeight);
    int x = r.left, w = r.width(), h = r.height();
    SetStretchBltMode(dc, COLORONCOLOR);
    if (seekProgress > 0) {
        StretchBlt(dc, x, r.top, seekProgress, h, skinSeekBar.dc, 0, h, h, h, SRCCOPY);
        x += seekProgress;
        w -= seekProgress;
    }
    if (w > 0)
        StretchBlt(dc, x, r.top, w, h, skinSeekBar.dc, 0, 0, h, h, SRCCOPY);
}

void drawSeekBarInFrame() {
    if (frameWindow == nullptr || !frameShown())
        return;
    RECT r;
    GetWindowRect(frameWindow, &r);
    drawSeekBar(WindowDc(frameWindow, true), r.right - r.left, r.bottom - r.top);
}

void setSeekProgress(long long pixels) {
    if (pixels == seekProgress || playbackState == Stopped)
        return;
    seekProgress = static_cast<int>(pixels);
    drawSeekBarInFrame();
}

void showPlayingPosition(LONGLONG position, LONGLONG duration) {
    setSeekProgress(positionToPixel(position, duration, seekBarWidth()));
    if (seekHover == 0)
        setDisplayedSeconds(position / kUnitsPerSecond);
}

void showDiscTime(int seconds, int titleSeconds) {
    setDisplayedSeconds(seconds);
    if (titleSeconds != 0)
        setSeekProgress(static_cast<long long>(seekBarWidth()) * seconds / titleSeconds);
}

void keepSeekProgressShare() {
    if (media.seekable && seekProgress != 0 && media.duration != 0)
        seekProgress = static_cast<int>(positionToPixel(media.position, media.duration, seekBarWidth()));
}

void clearSeekBar() {
    seekProgress = 0;
    seekHover = 0;
    drawSeekBarInFrame();
}

bool setSeekHover(int pixels) {
    if (playbackState == Stopped)
        pixels = 0;
    if (pixels == seekHover)
        return false;
    seekHover = pixels;
    // The time under the pointer, or back to what has played (all there is of a medium of unknown length).
    LONGLONG position = pixels != 0 && media.duration > 0
                            ? pixelToPosition(pixels, media.duration, seekBarWidth())
                            : media.position;
    setDisplayedSeconds(position / kUnitsPerSecond);
    return true;
}

namespace {
// The bar pixel a seek may go to: on the bar, and not where the bar already is.
bool movesTheBar(int& pixel) {
    if (!canSeek())
        return false;
    pixel = clampSeekPixel(pixel, seekBarWidth());
    return pixel != seekProgress;
}
} // namespace

void seekBarTo(int pixel) {
    if (!movesTheBar(pixel))
        return;
    seekProgress = pixel; // drawn by the next tick
    seekNow(pixelToPosition(pixel, media.duration, seekBarWidth()));
}

void seekBarSoon(int pixel) {
    if (!movesTheBar(pixel))
        return;
    seekProgress = pixel;
    seekSoon(pixelToPosition(pixel, media.duration, seekBarWidth()));
}

void skipOnBar(int direction) {
    if (!scanDisc(direction))
        seekBarSoon(seekProgress + direction * skipStepFor(seekBarWidth()));
}
