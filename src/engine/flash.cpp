#include "engine/flash.h"

// No Flash host yet: a movie cannot be opened, which the engine treats like a missing graph.
bool openFlashMovie(const wchar_t*) {
    return false;
}
void haltFlashMovie() {}
void playFlashMovie() {}
