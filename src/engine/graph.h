// What a session does with its medium, on the session's thread: opening it and telling what it
// is, driving it, and releasing it.
#pragma once
#include "core/media_path.h"
#include "core/playback_state.h"
#include "engine/session.h"

#include <string>
#include <vector>

// What the window's thread learns of a medium when it has opened.
struct OpenedFacts {
    bool made = false;     // the graph, the navigator or the movie's control could be made
    bool rendered = false; // something of it plays
    LONGLONG duration = 0; // in the seeking unit; 0 when not told
    bool seekable = false;
    bool windowless = false, videoWindow = false;
    int width = 0, height = 0; // the native video size, never 0
    std::vector<int> discChapters;
    bool discInfo = false;
};

OpenedFacts openFile(MediaSession& session, MediaContext& m, const std::wstring& path, const MediaPlan& plan,
                     double rate, bool cursorHidden);
HRESULT findOutputPin(IBaseFilter* filter, IPin** pin);
HRESULT addRealMediaFilters(IGraphBuilder* graph);

// Brings the medium into the state the window shows (Stopped is the session's end, not a state).
void applyPlaybackState(MediaContext& m, PlaybackState state);
// One frame on; the first call after a state change only pauses.
void stepFrame(MediaContext& m);
// The position in the seeking unit; false when the medium cannot tell.
bool readPosition(MediaContext& m, LONGLONG* position);
// Seeks in the medium's unit; `state` is what the window shows, to be kept.
void seekMedium(MediaContext& m, LONGLONG target, PlaybackState state);
