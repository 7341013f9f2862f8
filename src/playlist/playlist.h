// The user's list, a disc's list, and the one road by which an entry starts playing.
#pragma once
#include "core/playlist_model.h"
#include "core/playlist_order.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

extern Playlist mainList;
extern Playlist* discList;
extern Playlist* activeList;
extern bool loopFlag;
extern SortMode sortMode;
extern bool batchAdding;

void PlayEntry(int index);
void PlayNext();
// The playing entry takes the length its file reported when it opened.
void recordPlayingLength();
void PlayPrevious();
// The play command with nothing open: the current entry, else the selected one, else the first.
void PlayChosenEntry();
void ShufflePlaylist();
void SortPlaylist(SortMode mode);
// The sort key of a text under the user's locale: keys compared byte by byte order texts as the
// platform's linguistic comparison (lstrcmpW) does.
void sortKeyOf(const char16_t* text, std::string& key);
// Sorts entries first..last of the active list by the sort mode.
void sortActiveRange(int first, int last, SortMode mode);
void DiscardDiscList();
// Clears the active list; with redraw, repaints the frame's buttons and the list.
void clearActiveList(bool redraw);

// Adding (all append to the active list).
void AddFile(const wchar_t* path);
void AddFolder(const wchar_t* path);
void ShowAddDialog();
// Files and folders dropped on the window: sorted behind the current entry, the first of them
// started when nothing plays.
void handleDroppedFiles(HDROP drop);
// Paths the shell handed over (files, folders, lists, addresses): added as a drop adds them, and with
// `play` the first of them plays at once, whatever was playing, as a double-click on a file means.
// Paths that name nothing are skipped.
void openShellPaths(const std::vector<std::wstring>& paths, bool play);
// A file-dialog filter from a string resource, with '|' standing for the NULs between its parts.
std::vector<wchar_t> filterFromResource(UINT id);

// What reading a list file gave.
struct ListFileRead {
    bool found; // the file exists
    bool whole; // it was read, and everything in it is in the list (false when it could not be read)
};
// Appends the list file's entries to the active list.
ListFileRead ReadM3u(const wchar_t* fileName);
// The text of a list as it is written to `fileName`.
std::string listFileText(const Playlist& list, const wchar_t* fileName);
// Writes `bytes` to `target` beside the old file, then replaces it: never a half-written list.
bool replaceListFile(const std::wstring& target, const std::string& bytes);
// Writes the active list to its file name now; false when nothing could be written.
bool WriteM3u();
