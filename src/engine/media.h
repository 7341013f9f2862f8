// The playback state and what the window's thread knows of the open medium. The medium itself is
// opened, driven and released on a thread of its own (session.h); from here it is handed work and
// it reports back. The engine calls nothing above itself: it tells the shell what changed through
// its notices.
#pragma once
#include "core/playback_state.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

enum class MediaKind { None, File, Movie, Disc };

// The open medium as its session last told it.
struct MediaFacts {
    MediaKind kind = MediaKind::None;
    std::wstring path;     // the file opened, as it was handed over
    bool opening = false;  // asked for and not yet reported open
    LONGLONG duration = 0; // in the seeking unit: 100 ns, a movie's frames, a DVD title's seconds; 0 unknown
    LONGLONG position = 0; // as last polled
    bool seekable = false; // a length is known and the medium seeks
    bool windowless = false;   // the windowless renderer draws the picture
    bool videoWindow = false;  // a window of the renderer's (or the movie's control) shows it
    double playbackRate = 1.0; // kept from one medium to the next
    ULONG currentDvdTitle = 0;
    std::vector<int> discChapters;                       // of each title, when the navigator tells them
    bool discInfo = false;                               // the navigator answers questions about the disc
    std::vector<LCID> audioLanguages, subtitleLanguages; // the current title's streams (0: unnamed)
};

extern MediaFacts media;
extern PlaybackState playbackState;

// What the engine tells the shell, which wires each notice to the frame, the list and the window.
struct EngineNotices {
    void (*stateChanged)();                                        // the play and pause buttons swap
    void (*positionChanged)(LONGLONG position, LONGLONG duration); // a tick (duration 0: length unknown)
    void (*mediaOpened)();                                         // the medium's facts are known
    void (*mediaEnded)();      // it played to its end, failed or could not be played: the next entry
    void (*videoSizeKnown)();  // nativeWidth and nativeHeight are new
    void (*playbackStopped)(); // nothing plays any more
    void (*mediaReleased)();   // the media are closed, for any reason
    void (*playWanted)();      // Play, with nothing open to play
    void (*discTitleChanged)(int title);                    // the navigator reached a title
    void (*discChapterStarted)(int chapter);                // a chapter of the current title
    void (*discTimeChanged)(int seconds, int titleSeconds); // a DVD's playing time
};
extern EngineNotices engineNotices;

// The windows the engine works with, handed to it by the shell: the one its reports and its
// position timer go to, and the one the picture is shown in.
extern HWND engineNotifyWindow, engineVideoWindow;
void attachEngine(HWND notifyWindow, HWND videoWindow);

// The sessions' reports reach the notify window as this message.
constexpr UINT graphNotifyMessage = WM_USER + 101;
void takeEngineReports();

// How long a medium may take to open before it is given up and skipped: long enough for a cold
// start of the platform's decoders on a slow machine, short enough that a file whose filters never
// return holds the list only for a moment.
extern DWORD openLimit;
// How long a medium let go of may take to be released before nothing waits for it any more: its
// file stays held, its thread stays where it hangs until the process ends.
extern DWORD releaseLimit;

// Starts opening a file for playing; lower-cases the path's extension in place. It plays once its
// session reports it open; a file nothing can play is skipped then (mediaEnded). False when no
// session could be started.
bool openMedia(wchar_t* path);
void setPlaybackState(PlaybackState state);
void stopPlayback();
// Lets go of the open medium at once; its session releases it and ends on its own.
void closeMedia();
// Runs `then` on this thread once every medium let go of is released or given up, or after `limit`
// ms, whichever comes first (a file on disk is free again; the program may end).
void whenMediaClosed(DWORD limit, std::function<void()> then);
// Whether a medium let go of is still being released (and not yet given up).
bool mediaReleasing();
// Waits at most `limit` ms for the sessions' threads to end; false when one never did.
bool endMediaSessions(DWORD limit);
// Play/pause, pause and stop; false for any other command.
bool executePlaybackCommand(WORD command);

// For the session's work: the open medium's session, to hand work to (null when none).
class MediaSession;
MediaSession* currentSession();
