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

int seekBarWidth() {
    return resolveEdgeRect(seekBarRect, mainWidth, mainHeight).width();
}

void seekTo(int pixel) {
    // With nothing to seek the bar stays as it is; a pixel off either end means that end.
    if (!media.dvdControl && !media.seeking)
        return;
    pixel = clampSeekPixel(pixel, seekBarWidth());
    if (pixel == seekProgress)
        return;
    seekProgress = pixel;
    LONGLONG target = pixelToPosition(pixel, media.duration, seekBarWidth());
    if (media.dvdControl) {
        DVD_HMSF_TIMECODE t = secondsToTimecode(target);
        media.dvdControl->PlayAtTime(&t, DVD_CMD_FLAG_None, nullptr);
    } else {
        media.seeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr,
                                    AM_SEEKING_NoPositioning);
    }
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
            seekTo(seekProgress - skipStepFor(seekBarWidth()));
        return true;
    case CMD_SKIP_FORWARD:
        if (media.dvdControl)
            media.dvdControl->PlayForwards(kDvdScanSpeed, DVD_CMD_FLAG_None, nullptr);
        else
            seekTo(seekProgress + skipStepFor(seekBarWidth()));
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
