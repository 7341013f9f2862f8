// The list and the settings are written soon after every change, not only at exit.
#pragma once
#include <windows.h>

// Posted to the play-list window by the writer when a list could not be written.
constexpr UINT kSaveFailedMessage = WM_APP + 1;

// Something the list file or the settings keep has changed: both are saved within about a second.
void noteListChanged();
// The start-up read of the list file is done (what ReadM3u said of it). Before this the list file
// is never replaced; one that was found but not read whole is kept under another name first.
void listFileLoaded(bool found, bool whole);
// The timer or a failed write: saves what changed, the list's bytes through the writer thread. What
// could not be written is tried again a few seconds later, for as long as it fails.
void runScheduledSave();
void retrySaveLater();
// Saves the settings and the list and returns once the writes are done: true when both are on the
// disk, false when either failed (it is then tried again by the next save).
bool saveEverythingNow();
// The same, but what this run has already written is not written again.
bool saveChangesNow();
// The saves before the process ends (exit, end of session): one that fails is tried once more after
// a moment, in case what stood in the way (a scanner, a backup) has let go.
void saveBeforeLeaving(bool everything);
// Ends the writer thread; whatever was asked of it is written first.
void stopSaving();
