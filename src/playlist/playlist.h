// The user's list, a disc's list, and the one road by which an entry starts playing.
#pragma once
#include "core/playlist_model.h"

enum SortMode { SortByPath = 0, SortByTitle = 1 };

extern Playlist mainList;
extern Playlist* discList;
extern Playlist* activeList;
extern bool loopFlag;
extern SortMode sortMode;
extern bool batchAdding;

void PlayEntry(int index);
void PlayNext();
void PlayPrevious();
void UseDiscList();
void DiscardDiscList();
