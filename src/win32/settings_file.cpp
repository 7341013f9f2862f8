#include "win32/settings_file.h"

#include "win32/program_location.h"
#include "win32/wide.h"

#include <windows.h>

#include <string>

int readSetting(const SettingKey& key, int fallback) {
    return static_cast<int>(
        GetPrivateProfileIntW(asWide(key.section), asWide(key.key), fallback, settingsPath));
}

bool writeSetting(const SettingKey& key, int value) {
    return WritePrivateProfileStringW(asWide(key.section), asWide(key.key), std::to_wstring(value).c_str(),
                                      settingsPath) != FALSE;
}
