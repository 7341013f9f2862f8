// Where the player keeps its settings and its list: beside the program file.
#pragma once

extern wchar_t settingsPath[260];
extern wchar_t programFolder[260];

// Fills both from the program's own path; once, at start-up.
void computeProgramLocation();
