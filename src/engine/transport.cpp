#include "engine/transport.h"

#include "app/shell.h"
#include "core/command_ids.h"
#include "core/skin_table.h"
#include "core/transport_math.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/skin.h"

namespace {
constexpr double kDvdScanSpeed = 8.0;
constexpr LONGLONG kUnitsPerSecond = 10000000;

DVD_HMSF_TIMECODE secondsToTimecode(LONGLONG seconds) {
    DVD_HMSF_TIMECODE t = {};
    while (seconds >= 3600) {
        seconds -= 3600;
        ++t.bHours;
    }
    while (seconds >= 60) {
        seconds -= 60;
        ++t.bMinutes;
    }
    t.bSeconds = static_cast<BYTE>(seconds & 0xFF);
    return t;
}
} // namespace

namespace {
// The bar pixel a wheel turn or a skip asked for, sought at the next position tick; -1 for none.
int pendingSeekPixel = -1;

// A graph is sought only while stopped. Wine's GStreamer parser (8.0) wakes just one of its
// streaming threads after a seek flushes a paused or running graph; with sound and picture the
// other sleeps for good, the picture freezes while the time runs on, and the next Stop waits for
// it forever. A stopped graph only takes the position, and its streams start afresh from there.
void seekGraph(LONGLONG target) {
    bool restart = media.control && playbackState != Stopped;
    if (restart)
        media.control->Stop();
    media.seeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    if (restart && playbackState == Playing)
        media.control->Run();
    else if (restart)
        media.control->Pause();
}

void seekToPixel(int pixel) {
    LONGLONG target = pixelToPosition(pixel, media.duration, seekBarWidth());
    if (media.dvdControl) {
        DVD_HMSF_TIMECODE t = secondsToTimecode(target);
        media.dvdControl->PlayAtTime(&t, DVD_CMD_FLAG_None, nullptr);
    } else {
        seekGraph(target);
    }
}

// The pixel a seek may go to: on the bar, or none when nothing can be sought.
bool seekablePixel(int& pixel) {
    if (!media.dvdControl && !media.seeking)
        return false;
    pixel = clampSeekPixel(pixel, seekBarWidth());
    return pixel != seekProgress;
}
} // namespace

int seekBarWidth() {
    return resolveEdgeRect(seekBarRect, mainWidth, mainHeight).width();
}

void seekTo(int pixel) {
    if (!seekablePixel(pixel))
        return;
    seekProgress = pixel;
    pendingSeekPixel = -1;
    seekToPixel(pixel);
}

void seekSoon(int pixel) {
    if (!seekablePixel(pixel))
        return;
    seekProgress = pixel;
    pendingSeekPixel = pixel;
}

void forgetPendingSeek() {
    pendingSeekPixel = -1;
}

void setPlaybackRate(double rate) {
    rate = clampRate(rate);
    media.playbackRate = rate;
    if (media.seeking)
        media.seeking->SetRate(rate);
    else if (media.dvdControl)
        media.dvdControl->PlayForwards(rate, DVD_CMD_FLAG_Flush | DVD_CMD_FLAG_Block, nullptr);
}

void stepFrame() {
    if (media.frameStep) {
        media.frameStep->Step(1, nullptr);
    } else if (media.graph && SUCCEEDED(media.graph.queryInterface(media.frameStep))) {
        if (media.control)
            media.control->Pause();
    }
}

void pollPosition() {
    if (pendingSeekPixel >= 0) {
        seekToPixel(pendingSeekPixel);
        pendingSeekPixel = -1;
    }
    if (playbackState != Playing)
        return;
    LONGLONG position = media.duration;
    if (media.seeking && FAILED(media.seeking->GetCurrentPosition(&position)))
        position = 0;
    if (position >= media.duration) {
        PlayNext();
        return;
    }
    if (media.duration != 0) {
        setSeekProgress(positionToPixel(position, media.duration, seekBarWidth()));
        if (seekHover == 0)
            setDisplayedSeconds(position / kUnitsPerSecond);
    }
}

bool executeTransportCommand(WORD command) {
    switch (command) {
    case CMD_FRAME_STEP:
        if (playbackState != Stepping)
            setPlaybackState(Stepping);
        else
            stepFrame();
        return true;
    case CMD_SKIP_BACK:
        if (media.dvdControl)
            media.dvdControl->PlayBackwards(kDvdScanSpeed, DVD_CMD_FLAG_None, nullptr);
        else
            seekSoon(seekProgress - skipStepFor(seekBarWidth()));
        return true;
    case CMD_SKIP_FORWARD:
        if (media.dvdControl)
            media.dvdControl->PlayForwards(kDvdScanSpeed, DVD_CMD_FLAG_None, nullptr);
        else
            seekSoon(seekProgress + skipStepFor(seekBarWidth()));
        return true;
    case CMD_RATE_DOWN:
        setPlaybackRate(media.playbackRate - kRateStep);
        return true;
    case CMD_RATE_UP:
        setPlaybackRate(media.playbackRate + kRateStep);
        return true;
    case CMD_RATE_HALF:
        setPlaybackRate(0.5);
        return true;
    case CMD_RATE_NORMAL:
        setPlaybackRate(1.0);
        return true;
    case CMD_RATE_DOUBLE:
        setPlaybackRate(2.0);
        return true;
    default:
        return false;
    }
}
