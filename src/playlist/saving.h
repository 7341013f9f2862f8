// The list and the settings reach the disk soon after every change, not only at exit.
#pragma once
#include <windows.h>

// Posted to the play-list window by the writer when a list could not be written.
constexpr UINT kSaveFailedMessage = WM_APP + 1;

// Something the list file or the settings keep has changed: both are saved within about a second.
void noteListChanged();
// The start-up read of the list file is done (what ReadM3u said of it). Before this the list file
// is never replaced; one that was found but not read whole is kept under another name first.
void listFileLoaded(bool found, bool whole);
// The timer or a failed write: saves what changed, the list's bytes through the writer thread.
void runScheduledSave();
void retrySaveLater();
// Saves the settings and the list and returns once both are on the disk (exit, end of session).
void saveEverythingNow();
// The same, but what this run has already written is not written again.
void saveChangesNow();
// Ends the writer thread; whatever was asked of it is written first.
void stopSaving();
