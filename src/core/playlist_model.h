// The play list: the entries it owns, in play order, and the indices beside it.
#pragma once
#include <memory>
#include <string>
#include <vector>

struct PlaylistEntry {
    std::u16string path;        // kept whole, however long: a cut path would name another file
    std::u16string title;       // empty until known
    bool titleFromList = false; // the title came from a list file: kept there even without a length
    int duration = 0;           // whole seconds; 0 or less: not known yet
    int dvdTitle = 0;
    int dvdChapter = 0;
    char timeText[12] = {}; // the row's time column, formatted once from duration
};

struct Playlist {
    std::vector<std::unique_ptr<PlaylistEntry>> entries; // grows as needed; nothing is refused
    int current = -1;
    int selected = -1;
    int top = 0;
    std::u16string fileName; // the list file this list is saved to; empty: never saved
    int count() const { return static_cast<int>(entries.size()); }
};

// Appends an entry for path and fills its title from the path.
PlaylistEntry& AppendEntry(Playlist& list, std::u16string path);
// Fills an empty title with the path's last name without its extension (titleOf).
void TitleFromPath(PlaylistEntry& entry);
// Frees every entry; current and selected become -1. top and fileName stay.
void ClearPlaylist(Playlist& list);
