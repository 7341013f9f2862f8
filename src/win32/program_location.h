// Where the player keeps its settings and its list: beside the program file when it may write
// there, else in the user's application data (%APPDATA%\ZonPlayer).
#pragma once
#include <string>

extern wchar_t settingsPath[260];
extern wchar_t programFolder[260];
// The home of the settings file and the list, ending in a backslash: the program's folder or the
// user's application data.
extern wchar_t stateFolder[260];

// Fills all three from the program's own path: the state beside the program. Once, at start-up.
void computeProgramLocation();
// Makes the user's application data the state's home when the program's folder cannot keep it (a
// 64-bit program in "Program Files" gets no file virtualization). When neither can, the state stays
// beside the program and its saves are tried again and again.
void chooseStateFolder();
// In a home away from the program, a settings file beside the program is taken over (copied, once,
// while the home has none). Its list is read from there until the home has its own.
void takeOverProgramFiles();
// Whether the settings file `settingsName` and the list could be kept in `folder` (ending in a
// backslash): a file can be made there, and neither file stands read-only or refuses writing.
bool canKeepStateIn(const std::wstring& folder, const std::wstring& settingsName);

// The list's file in the state's home, and the file last run's list is read from.
std::wstring listFilePath();
std::wstring listFileToRead();
