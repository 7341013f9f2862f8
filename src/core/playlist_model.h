// The play list: a fixed table of individually allocated entries and the indices beside it.
#pragma once
#include "core/text.h"

constexpr int kPlaylistCapacity = 4096;

struct PlaylistEntry {
    char16_t path[kPathUnits];
    char16_t title[kTitleUnits];
    int duration; // whole seconds; 0 or less: not known yet
    int dvdTitle;
    int dvdChapter;
    char timeText[12];
};

struct Playlist {
    PlaylistEntry* entries[kPlaylistCapacity];
    int count;
    int current;
    int selected;
    int top;
    char16_t fileName[kPathUnits];
};

// Appends a zero-filled entry for path and fills its title. Returns nullptr, adding nothing, when
// the list is full or the path does not fit its field.
PlaylistEntry* AppendEntry(Playlist& list, const char16_t* path);
// Fills an empty title with the text between the last backslash and the last dot of the path.
void TitleFromPath(PlaylistEntry& entry);
// Frees every entry; current and selected become -1. top and fileName stay.
void ClearPlaylist(Playlist& list);
