// The engine's one record of the open media, the playback state and its transitions. The engine
// calls nothing above itself: it tells the shell what changed through its notices.
#pragma once
#include "core/playback_state.h"
#include "flash/flash_host.h"
#include "win32/com_ptr.h"

#include "engine/dshow.h"

struct MediaContext {
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaSeeking> seeking;
    ComPtr<IMediaEventEx> events;
    ComPtr<IVideoWindow> videoWindow;
    ComPtr<IVMRWindowlessControl> windowless;
    ComPtr<IVideoFrameStep> frameStep;
    ComPtr<IDvdGraphBuilder> dvdBuilder;
    ComPtr<IDvdControl2> dvdControl;
    ComPtr<IDvdInfo2> dvdInfo;
    FlashHostPtr flashHost; // a Flash movie's host, its faces held above
    LONGLONG duration = 0;
    double playbackRate = 1.0;
    ULONG currentDvdTitle = 0;
};

extern MediaContext media;
extern PlaybackState playbackState;

// What the engine tells the shell, which wires each notice to the frame, the list and the window.
struct EngineNotices {
    void (*stateChanged)();                                        // the play and pause buttons swap
    void (*positionChanged)(LONGLONG position, LONGLONG duration); // a tick of media with a length
    void (*mediaEnded)();                                          // the position reached the end
    void (*videoSizeKnown)();                                      // nativeWidth and nativeHeight are new
    void (*playbackStopped)();                                     // nothing plays any more
    void (*mediaReleased)();                                       // the media are closed, for any reason
    void (*playWanted)();                                          // Play, with nothing open to play
    void (*discTitleChanged)(int title);                           // the navigator reached a title
    void (*discChapterStarted)(int chapter);                       // a chapter of the current title
    void (*discTimeChanged)(int seconds, int titleSeconds);        // a DVD's playing time
};
extern EngineNotices engineNotices;

// The windows the engine works with, handed to it by the shell: the one its graph events and its
// position timer go to, and the one the picture is shown in.
extern HWND engineNotifyWindow, engineVideoWindow;
void attachEngine(HWND notifyWindow, HWND videoWindow);

constexpr UINT graphNotifyMessage = WM_USER + 101;

// Opens a file for playing; lower-cases the path's extension in place. False when no graph (or
// Flash control) could be made.
bool openMedia(wchar_t* path);
void setPlaybackState(PlaybackState state);
void stopPlayback();
void closeMedia();
void handleGraphEvents();
HRESULT findOutputPin(IBaseFilter* filter, IPin** pin);
HRESULT addRealMediaFilters(IGraphBuilder* graph);
// Play/pause, pause and stop; false for any other command.
bool executePlaybackCommand(WORD command);
