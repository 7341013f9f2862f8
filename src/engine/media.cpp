#include "engine/media.h"

#include "core/command_ids.h"
#include "core/media_path.h"
#include "core/timers.h"
#include "engine/flash.h"
#include "engine/graph.h"
#include "engine/medium.h"
#include "engine/renderer.h"
#include "engine/transport.h"
#include "win32/wide.h"

#include <algorithm>
#include <climits>
#include <memory>

MediaFacts media;
PlaybackState playbackState = Stopped;
HWND engineNotifyWindow, engineVideoWindow;
DWORD openLimit = 8000, releaseLimit = 3000;

namespace {
void nothing() {}
void noPosition(LONGLONG, LONGLONG) {}
void noNumber(int) {}
void noTime(int, int) {}

// The open medium's session, and the ones let go of that are still releasing theirs. One that has
// not ended by its deadline is given up: nothing waits for it any more, and it keeps only its own
// thread until the process ends.
struct Releasing {
    std::shared_ptr<MediaSession> session;
    ULONGLONG deadline;
};
std::shared_ptr<MediaSession> current;
std::vector<Releasing> releasing;
ULONGLONG openDeadline;

struct Waiter {
    ULONGLONG deadline;
    std::function<void()> then;
};
std::vector<Waiter> waiters;

void runWaiters();

void CALLBACK closeWaitTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    runWaiters();
}

bool stillReleasing(ULONGLONG now) {
    return std::any_of(releasing.begin(), releasing.end(),
                       [now](const Releasing& r) { return now < r.deadline; });
}

// Runs the waiters whose time has come, or all of them once nothing is left releasing; the timer
// comes back for the rest when the first of them, or of the releases, is due.
void runWaiters() {
    ULONGLONG now = GetTickCount64();
    bool released = !stillReleasing(now);
    std::vector<Waiter> due, kept;
    for (Waiter& w : waiters)
        (released || w.deadline <= now ? due : kept).push_back(std::move(w));
    waiters = std::move(kept);
    if (!waiters.empty()) {
        ULONGLONG next = ULLONG_MAX;
        for (const Waiter& w : waiters)
            next = std::min(next, w.deadline);
        for (const Releasing& r : releasing)
            if (r.deadline > now)
                next = std::min(next, r.deadline);
        SetTimer(engineNotifyWindow, kCloseWaitTimer, static_cast<UINT>(next - now), closeWaitTimer);
    }
    for (Waiter& w : due)
        w.then();
}

void sessionEnded(unsigned long number) {
    std::erase_if(releasing, [number](const Releasing& r) { return r.session->number() == number; });
    runWaiters();
}

bool isCurrent(unsigned long number) {
    return current && current->number() == number;
}
} // namespace

EngineNotices engineNotices = {nothing, noPosition, nothing,  nothing,  nothing, nothing,
                               nothing, nothing,    noNumber, noNumber, noTime};

void attachEngine(HWND notifyWindow, HWND videoWindow) {
    engineNotifyWindow = notifyWindow;
    engineVideoWindow = videoWindow;
    setReportWindow(notifyWindow, graphNotifyMessage);
}

void takeEngineReports() {
    for (SessionReport& report : takeSessionReports()) {
        if (report.always)
            sessionEnded(report.session);
        else if (isCurrent(report.session))
            report.what();
    }
}

void toMedium(MediaSession::Work work) {
    if (current)
        current->post(std::move(work));
}

bool startMedium(MediaKind kind, MediaSession::Apartment apartment) {
    setPlaybackState(Stopped);
    if (current)
        closeMedia();
    current = MediaSession::start(apartment);
    if (!current)
        return false;
    media.kind = kind;
    media.opening = true;
    openDeadline = GetTickCount64() + openLimit;
    SetTimer(engineNotifyWindow, kPositionTimer, kPositionTimerPeriod, nullptr);
    return true;
}

bool openMedia(wchar_t* path) {
    MediaPlan plan = planMedia(lowerExtensionInPlace(asU16(path)));
    bool movie = plan.route == MediaRoute::Flash;
    if (!startMedium(movie ? MediaKind::Movie : MediaKind::File,
                     movie ? MediaSession::Apartment::Ole : MediaSession::Apartment::Multithreaded))
        return false;
    std::wstring file(path);
    media.path = file;
    double rate = media.playbackRate;
    bool hidden = videoCursorHidden();
    toMedium([file, plan, rate, hidden, movie](MediaSession& s, MediaContext& m) {
        OpenedFacts facts = movie ? openFlashMovie(m, file) : openFile(s, m, file, plan, rate, hidden);
        s.report([facts] { takeOpened(facts); });
    });
    // The buttons show it playing at once; the medium runs once it is open.
    setPlaybackState(Playing);
    return true;
}

void takeOpened(const OpenedFacts& facts) {
    media.opening = false;
    if (!facts.made) { // nothing to play it with: the list stops here
        setPlaybackState(Stopped);
        return;
    }
    media.duration = facts.duration;
    media.seekable = facts.seekable;
    media.windowless = facts.windowless;
    media.videoWindow = facts.videoWindow;
    media.discChapters = facts.discChapters;
    media.discInfo = facts.discInfo;
    nativeWidth = facts.width;
    nativeHeight = facts.height;
    MediaSession* opened = current.get();
    engineNotices.videoSizeKnown();
    engineNotices.mediaOpened();
    if (current.get() != opened)
        return;
    if (!facts.rendered) {
        engineNotices.mediaEnded(); // nothing of it plays: skipped as any unplayable file
        return;
    }
    PlaybackState state = playbackState;
    toMedium([state](MediaSession&, MediaContext& m) { applyPlaybackState(m, state); });
}

void takeEnd(bool completed) {
    // A disc's navigator plays on through its own titles; a failure stops it.
    if (media.kind == MediaKind::Disc) {
        if (!completed)
            setPlaybackState(Stopped);
        return;
    }
    // The end of the file counts while it plays; a failure whatever the buttons show.
    if (playbackState == Playing || (!completed && playbackState != Stopped))
        engineNotices.mediaEnded();
}

void takePosition(LONGLONG position) {
    if (playbackState != Playing || media.opening)
        return;
    media.position = position;
    // Past a known length the file has ended, whether or not the graph said so: after a seek some
    // platforms (Wine 8) never do.
    if (media.duration > 0 && position >= media.duration)
        engineNotices.mediaEnded();
    else
        engineNotices.positionChanged(position, media.duration);
}

void giveUpOpening() {
    bool disc = media.kind == MediaKind::Disc;
    current->abortOpen();
    closeMedia();
    if (disc)
        setPlaybackState(Stopped); // a disc that does not open is no entry to skip
    else
        engineNotices.mediaEnded();
}

bool openDeadlinePassed() {
    return media.opening && GetTickCount64() >= openDeadline;
}

void setPlaybackState(PlaybackState state) {
    if (state == playbackState)
        return;
    playbackState = state;
    engineNotices.stateChanged();
    if (state == Stopped) {
        stopPlayback();
    } else if (!current) {
        if (state == Playing)
            engineNotices.playWanted();
    } else if (!media.opening) {
        toMedium([state](MediaSession&, MediaContext& m) { applyPlaybackState(m, state); });
    }
}

void stopPlayback() {
    closeMedia();
    engineNotices.playbackStopped();
}

void closeMedia() {
    KillTimer(engineNotifyWindow, kPositionTimer);
    forgetPendingSeek();
    if (current) {
        current->finish();
        releasing.push_back({std::move(current), GetTickCount64() + releaseLimit});
    }
    double rate = media.playbackRate;
    media = MediaFacts();
    media.playbackRate = rate;
    engineNotices.mediaReleased();
}

void whenMediaClosed(DWORD limit, std::function<void()> then) {
    if (!stillReleasing(GetTickCount64()))
        return then();
    waiters.push_back({GetTickCount64() + limit, std::move(then)});
    runWaiters();
}

bool mediaReleasing() {
    return stillReleasing(GetTickCount64());
}

bool endMediaSessions(DWORD limit) {
    if (current)
        closeMedia();
    std::vector<HANDLE> threads;
    for (const Releasing& r : releasing)
        threads.push_back(r.session->thread());
    for (ULONGLONG end = GetTickCount64() + limit; !threads.empty(); threads.pop_back()) {
        ULONGLONG now = GetTickCount64();
        if (now >= end || WaitForSingleObject(threads.back(), static_cast<DWORD>(end - now)) != WAIT_OBJECT_0)
            return false;
    }
    return true;
}

bool executePlaybackCommand(WORD command) {
    switch (command) {
    case CMD_PLAY_PAUSE:
        setPlaybackState(playbackState == Playing ? Paused : Playing);
        return true;
    case CMD_PAUSE:
        if (playbackState != Paused)
            setPlaybackState(Paused);
        return true;
    case CMD_STOP:
        setPlaybackState(Stopped);
        return true;
    default:
        return false;
    }
}
