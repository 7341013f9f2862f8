// Paths of any length for the file functions.
#pragma once
#include <string>

// The path in the form the file functions take beyond MAX_PATH ("\\?\C:\..." or "\\?\UNC\...");
// shorter paths, relative ones and ones already in that form are returned as they are.
std::wstring extendedPath(const std::wstring& path);
// Whether a file or folder of that name is there, however long the path.
bool pathExists(const std::wstring& path);
// The full path of a path relative to the current folder; the path itself when it cannot be made.
std::wstring fullPath(const std::wstring& path);
