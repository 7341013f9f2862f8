#include "engine/transport.h"

#include "core/command_ids.h"
#include "core/transport_math.h"
#include "engine/graph.h"
#include "engine/media.h"
#include "engine/medium.h"

namespace {
constexpr double kDvdScanSpeed = 8.0;

// A time a wheel turn or a skip asked for, sought at the next position tick.
bool seekPending;
LONGLONG pendingTarget;
// Seeks asked for so far. A position read before the latest one, or while one waits for its tick,
// is not where the medium is going: taken, it would move the bar back under a turning wheel, and
// the next notches would count from there.
unsigned seeksAsked;
} // namespace

bool canSeek() {
    return media.kind == MediaKind::Disc || media.seekable;
}

void seekNow(LONGLONG target) {
    seekPending = false;
    ++seeksAsked;
    if (media.kind == MediaKind::Disc) {
        DvdTime t = dvdTimeOf(target);
        toMedium([t](MediaSession&, MediaContext& m) {
            DVD_HMSF_TIMECODE code = {t.hours, t.minutes, t.seconds, t.frames};
            if (m.dvdControl)
                m.dvdControl->PlayAtTime(&code, DVD_CMD_FLAG_None, nullptr);
        });
    } else if (media.seekable) {
        PlaybackState state = playbackState;
        toMedium([target, state](MediaSession&, MediaContext& m) { seekMedium(m, target, state); });
    }
}

void seekSoon(LONGLONG target) {
    seekPending = canSeek();
    pendingTarget = target;
    ++seeksAsked;
}

void forgetPendingSeek() {
    seekPending = false;
}

bool scanDisc(int direction) {
    if (media.kind != MediaKind::Disc)
        return false;
    toMedium([direction](MediaSession&, MediaContext& m) {
        if (!m.dvdControl)
            return;
        if (direction < 0)
            m.dvdControl->PlayBackwards(kDvdScanSpeed, DVD_CMD_FLAG_None, nullptr);
        else
            m.dvdControl->PlayForwards(kDvdScanSpeed, DVD_CMD_FLAG_None, nullptr);
    });
    return true;
}

void setPlaybackRate(double rate) {
    rate = clampRate(rate);
    media.playbackRate = rate;
    toMedium([rate](MediaSession&, MediaContext& m) {
        if (m.seeking)
            m.seeking->SetRate(rate);
        else if (m.dvdControl)
            m.dvdControl->PlayForwards(rate, DVD_CMD_FLAG_Flush | DVD_CMD_FLAG_Block, nullptr);
    });
}

void stepFrame() {
    if (!media.opening)
        toMedium([](MediaSession&, MediaContext& m) { stepFrame(m); });
}

void pollPosition() {
    if (openDeadlinePassed())
        return giveUpOpening();
    if (media.opening)
        return;
    if (seekPending)
        seekNow(pendingTarget);
    if (playbackState != Playing)
        return;
    toMedium([asked = seeksAsked](MediaSession& s, MediaContext& m) {
        LONGLONG position = 0;
        if (readPosition(m, &position))
            s.report([position, asked] {
                if (asked == seeksAsked && !seekPending)
                    takePosition(position);
            });
    });
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
