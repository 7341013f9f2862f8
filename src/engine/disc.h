// DVDs through the navigator: the graph it builds, its disc's structure and languages, the calls
// that play a menu, title or chapter or choose a stream, and its events, told as notices.
#pragma once
#include "core/playlist_model.h"

#include <windows.h>

#include <vector>

// Stops what plays and builds the navigator's graph for the default DVD volume; false when there
// is no DVD graph builder (nothing happens then).
bool openDvdGraph();
// The number of chapters of each title, or nothing without the navigator's information.
std::vector<int> dvdChapterCounts();
// Reads the current title's length, which becomes the media's duration: whole seconds.
int readDvdTitleLength();
// Hands a disc-list entry to the navigator: a menu, a title or a chapter.
void playDiscEntry(const PlaylistEntry& entry);
// The language menus' commands; false for any other command.
bool selectDvdStream(WORD command);
// The languages of the current title's audio and subtitle streams, by stream: 0 where the
// navigator does not tell. Empty when it tells nothing.
std::vector<LCID> dvdAudioLanguages();
std::vector<LCID> dvdSubtitleLanguages();
void handleDvdEvent(long code, LONG_PTR param1, LONG_PTR param2);
