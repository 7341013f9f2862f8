#include "win32/long_path.h"

#include <windows.h>

bool pathExists(const std::wstring& path) {
    return !path.empty() && GetFileAttributesW(extendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring extendedPath(const std::wstring& path) {
    // Names are added to folders below this length, so stay well inside MAX_PATH.
    constexpr std::size_t kRoomForAName = MAX_PATH - 20;
    if (path.size() < kRoomForAName)
        return path;
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\')
        return L"\\\\?\\" + path;
    if (path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' && path[2] != L'.')
        return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

std::wstring fullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    n = n > 0 ? GetFullPathNameW(path.c_str(), n, full.data(), nullptr) : 0;
    if (n == 0 || n >= full.size())
        return path;
    full.resize(n);
    return full;
}
