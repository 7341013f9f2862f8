// Discs: video CDs as file lists, DVDs through the navigator.
#pragma once
#include "core/playlist_model.h"

#include <windows.h>

void findDisc();
bool selectDvdStream(WORD command);
void playDiscEntry(const PlaylistEntry& entry);
void handleDvdEvent(long code, LONG_PTR param1, LONG_PTR param2);
void removeDvdLanguageItems();
