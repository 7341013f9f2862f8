// One player for each home of the state (settings file and list): a later start hands its paths to
// the running player's window and ends, so that no list ever has two writers.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The paths of the program's command line, made full against the current folder (addresses as
// they are): what a double-click, "Open with", "Send to" or a drop on the program's icon hands over.
std::vector<std::wstring> commandLinePaths();
// True when this process is the player of `stateFolder`, which it then stays for its life. False
// when a running player took the paths (or, given none, came to the front), or never answered.
bool becomePlayer(const wchar_t* stateFolder, const std::vector<std::wstring>& paths);
// Tells later starts which window takes their paths.
void publishPlayerWindow(HWND window);
// WM_COPYDATA: a later start's paths are queued, and the window comes to the front. TRUE when the
// block was one of ours.
LRESULT receiveHandedPaths(HWND window, const COPYDATASTRUCT* data);
// Paths from the shell are taken in the loop (shellPathsMessage), after last run's list.
void queueShellPaths(std::vector<std::wstring> paths);
void openQueuedShellPaths();
