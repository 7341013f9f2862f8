// The engine's one record of the open media, the playback state and its transitions.
#pragma once
#include "win32/com_ptr.h"
#include "core/playback_state.h"

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
    ComPtr<IUnknown> flashHost;
    LONGLONG duration = 0;
    double playbackRate = 1.0;
    ULONG currentDvdTitle = 0;
};

extern MediaContext media;
extern PlaybackState playbackState;

constexpr UINT_PTR positionTimerId = 1;
constexpr UINT positionTimerPeriod = 200;

// Opens a file for playing; lower-cases the path's extension in place. False when no graph (or
// Flash control) could be made.
bool openMedia(wchar_t* path);
void setPlaybackState(PlaybackState state);
void stopPlayback();
void closeMedia();
void handleGraphEvents();
void setStatusText(const wchar_t* text);
HRESULT findOutputPin(IBaseFilter* filter, IPin** pin);
HRESULT addRealMediaFilters(IGraphBuilder* graph);
// Play/pause, pause and stop; false for any other command.
bool executePlaybackCommand(WORD command);
