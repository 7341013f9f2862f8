#include "skin/hint.h"

// The hint window comes with the volume work; callers already ask for it.
void showTextHint(const RECT*, const wchar_t*) {}
void showVolumeHint(bool) {}
void hideHint() {}
