#include "engine/disc.h"

// The disc commands are routed here; the navigator work comes with disc playback.
void findDisc() {}
bool selectDvdStream(WORD) {
    return false;
}
void playDiscEntry(const PlaylistEntry&) {}
void handleDvdEvent(long, LONG_PTR, LONG_PTR) {}
void removeDvdLanguageItems() {}
