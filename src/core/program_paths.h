// Where the player keeps its settings and its list: beside the program itself.
#pragma once
#include "core/text.h"

// The program's path with its last three characters replaced by "ini" (the extension is taken to
// be three characters long). A path shorter than three characters becomes "ini" from its start.
void computeSettingsPath(const char16_t* programPath, char16_t (&settingsPath)[kPathUnits]);

// The program's path cut after the last backslash that stands between its second character and
// the fifth character from its end (so the extension and its dot are skipped). Without such a
// backslash the folder is the path's first character alone.
void computeProgramFolder(const char16_t* programPath, char16_t (&programFolder)[kPathUnits]);
