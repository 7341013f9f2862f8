#include "win32/program_location.h"

#include "core/program_paths.h"
#include "win32/guards.h"
#include "win32/long_path.h"
#include "win32/wide.h"

#include <windows.h>
#include <shlobj.h>

wchar_t settingsPath[260];
wchar_t programFolder[260];
wchar_t stateFolder[260];

namespace {
const wchar_t kListName[] = L"default.m3u";

// The settings file's name, as it stands beside the program.
std::wstring settingsName() {
    return settingsPath + wcslen(stateFolder);
}

// "%APPDATA%\ZonPlayer\", or empty when the user has no such folder.
std::wstring applicationDataHome() {
    wchar_t folder[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH);
    if ((n == 0 || n >= MAX_PATH) && FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder)))
        return {};
    std::wstring home = folder;
    if (home.empty())
        return {};
    if (home.back() != L'\\')
        home += L'\\';
    return home + L"ZonPlayer\\";
}

// An existing file that the state's writes would be refused: read-only, a folder of that name, or
// one the user may not write. One that is only open elsewhere for now does not count.
bool refusesWriting(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(extendedPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        return true;
    Handle file(CreateFileW(extendedPath(path).c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                            nullptr));
    return !file.valid() && GetLastError() == ERROR_ACCESS_DENIED;
}
} // namespace

void computeProgramLocation() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    path[n < MAX_PATH ? n : MAX_PATH - 1] = 0;
    computeSettingsPath(asU16(path), asU16Buffer(settingsPath));
    computeProgramFolder(asU16(path), asU16Buffer(programFolder));
    lstrcpynW(stateFolder, programFolder, 260);
}

bool canKeepStateIn(const std::wstring& folder, const std::wstring& settingsName) {
    // A file of our own, gone again when closed.
    std::wstring probe = folder + L"ZonPlayer-" + std::to_wstring(GetCurrentProcessId()) + L".probe";
    Handle file(CreateFileW(extendedPath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                            nullptr));
    return file.valid() && !refusesWriting(folder + settingsName) && !refusesWriting(folder + kListName);
}

void chooseStateFolder() {
    std::wstring name = settingsName();
    if (canKeepStateIn(programFolder, name))
        return;
    std::wstring home = applicationDataHome();
    if (home.empty() || home.size() + name.size() >= 260)
        return;
    CreateDirectoryW(home.c_str(), nullptr);
    if (!canKeepStateIn(home, name))
        return;
    lstrcpynW(stateFolder, home.c_str(), 260);
    lstrcpynW(settingsPath, (home + name).c_str(), 260);
}

void takeOverProgramFiles() {
    if (lstrcmpiW(stateFolder, programFolder) == 0)
        return;
    std::wstring beside = std::wstring(programFolder) + settingsName();
    // The copy keeps the original's attributes: a read-only one would refuse every save here too.
    if (!pathExists(settingsPath) && CopyFileW(beside.c_str(), settingsPath, TRUE))
        SetFileAttributesW(settingsPath, GetFileAttributesW(settingsPath) & ~FILE_ATTRIBUTE_READONLY);
}

std::wstring listFilePath() {
    return std::wstring(stateFolder) + kListName;
}

std::wstring listFileToRead() {
    std::wstring own = listFilePath();
    if (lstrcmpiW(stateFolder, programFolder) == 0 || pathExists(own))
        return own;
    return std::wstring(programFolder) + kListName;
}
