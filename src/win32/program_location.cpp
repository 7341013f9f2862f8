#include "win32/program_location.h"

#include "core/program_paths.h"
#include "win32/wide.h"

#include <windows.h>

wchar_t settingsPath[260];
wchar_t programFolder[260];

void computeProgramLocation() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    path[n < MAX_PATH ? n : MAX_PATH - 1] = 0;
    computeSettingsPath(asU16(path), asU16Buffer(settingsPath));
    computeProgramFolder(asU16(path), asU16Buffer(programFolder));
}
