// DVDs through the navigator: the graph it builds, its disc's structure and languages, the calls
// that play a menu, title or chapter or choose a stream, and its events, told as notices. The
// navigator lives on the disc's session like any medium.
#pragma once
#include "core/playlist_model.h"
#include "engine/session.h"

#include <windows.h>

#include <vector>

// Stops what plays and starts building the navigator's graph for the default DVD volume. Once
// open, the disc's chapters are in `media`; without a DVD graph builder playback stops again.
bool openDvdGraph();
// The current title's length, as the navigator told it when a chapter started: whole seconds.
int readDvdTitleLength();
// Hands a disc-list entry to the navigator: a menu, a title or a chapter.
void playDiscEntry(const PlaylistEntry& entry);
// The language menus' commands; false for any other command.
bool selectDvdStream(WORD command);
// The languages of the current title's audio and subtitle streams, by stream: 0 where the
// navigator does not tell. Empty when it tells nothing.
std::vector<LCID> dvdAudioLanguages();
std::vector<LCID> dvdSubtitleLanguages();
// The pointer over the picture lights a menu button; a click presses it.
void pointAtDiscButton(POINT at);
void pressDiscButton(POINT at);

// On the disc's session.
void handleDvdEvent(MediaSession& session, MediaContext& m, long code, LONG_PTR param1, LONG_PTR param2);
