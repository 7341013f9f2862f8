// Helpers shared by the Win32 unit tests: the player's windows in this process, messages, media.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Pumps this thread's messages for about `ms` milliseconds.
void pumpMessages(DWORD ms);
// Pumps until done() holds or `ms` pass; returns done().
template <class F> bool pumpUntil(F done, DWORD ms) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        pumpMessages(10);
    }
    return true;
}

// A Windows path of a generated test medium (ZON_MEDIA names the Unix folder).
std::wstring mediaPath(const wchar_t* name);
// A copy of a generated medium under another name in a fresh temporary folder.
std::wstring mediaCopy(const wchar_t* name, const wchar_t* newName);

// How far the window's visible pixels lie from black and from the key colour: the largest
// channel difference found in a grid of samples.
int pictureContrast(HWND window);

// The paths of the active list, in order.
std::vector<std::wstring> listPaths();
void writeFile(const std::wstring& path, const std::string& bytes);
// A file's bytes, or "(missing)".
std::string readFile(const std::wstring& path);
