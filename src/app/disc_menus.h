// The play menu's audio and subtitle submenus for the disc that plays, and the default languages.
#pragma once
#include <windows.h>

extern LCID defaultAudioLanguage, defaultSubtitleLanguage;

// After a title change: the submenus offer the current title's streams, and the default languages
// (subtitles off when there is none) are chosen.
void rebuildLanguageMenus();
// Leaves only the submenus' fixed items.
void removeLanguageItems();
// The default-language dialog: "no preference" or one of the disc's languages, for this run.
void chooseDefaultLanguages(HWND owner);
