#include "engine/transport.h"

#include "core/command_ids.h"
#include "core/transport_math.h"
#include "engine/media.h"

namespace {
constexpr double kDvdScanSpeed = 8.0;

// A time a wheel turn or a skip asked for, sought at the next position tick.
bool seekPending;
LONGLONG pendingTarget;

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
} // namespace

bool canSeek() {
    return media.dvdControl || media.seeking;
}

void seekNow(LONGLONG target) {
    seekPending = false;
    if (media.dvdControl) {
        DvdTime t = dvdTimeOf(target);
        DVD_HMSF_TIMECODE code = {t.hours, t.minutes, t.seconds, t.frames};
        media.dvdControl->PlayAtTime(&code, DVD_CMD_FLAG_None, nullptr);
    } else if (media.seeking) {
        seekGraph(target);
    }
}

void seekSoon(LONGLONG target) {
    seekPending = canSeek();
    pendingTarget = target;
}

void forgetPendingSeek() {
    seekPending = false;
}

bool scanDisc(int direction) {
    if (!media.dvdControl)
        return false;
    if (direction < 0)
        media.dvdControl->PlayBackwards(kDvdScanSpeed, DVD_CMD_FLAG_None, nullptr);
    else
        media.dvdControl->PlayForwards(kDvdScanSpeed, DVD_CMD_FLAG_None, nullptr);
    return true;
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
    if (seekPending)
        seekNow(pendingTarget);
    if (playbackState != Playing)
        return;
    LONGLONG position = media.duration;
    if (media.seeking && FAILED(media.seeking->GetCurrentPosition(&position)))
        position = 0;
    if (position >= media.duration)
        engineNotices.mediaEnded();
    else if (media.duration != 0)
        engineNotices.positionChanged(position, media.duration);
}

bool executeTransportCommand(WORD command) {
    switch (command) {
    case CMD_FRAME_STEP:
        if (playbackState != Stepping)
            setPlaybackState(Stepping);
        else
            stepFrame();
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
