// The user's list, a disc's list, and the one road by which an entry starts playing.
#pragma once
#include "core/playlist_model.h"
#include "core/playlist_order.h"

#include <windows.h>

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
void PlayPrevious();
void ShufflePlaylist();
void SortPlaylist(SortMode mode);
// The platform's linguistic comparison under the user's locale, case-sensitive.
int compareText(const char16_t* a, const char16_t* b);
// Its sort key, for sorting many entries at once in the same order.
void sortKeyOf(const char16_t* text, std::string& key);
// Sorts entries first..last of the active list by the sort mode.
void sortActiveRange(int first, int last, SortMode mode);
void UseDiscList();
void DiscardDiscList();
// Clears the active list; with redraw, repaints the frame's buttons and the list.
void clearActiveList(bool redraw);

// Adding (all append to the active list). False once the list is full.
bool AddFile(const wchar_t* path);
bool AddFolder(const wchar_t* path);
void ShowAddDialog();
// A file-dialog filter from a string resource, with '|' standing for the NULs between its parts.
std::vector<wchar_t> filterFromResource(UINT id);

// Play-list files. ReadM3u appends to the active list: 0 when the file cannot be opened.
int ReadM3u(const wchar_t* fileName);
// Writes the active list to its file name; false when nothing could be written.
bool WriteM3u();
