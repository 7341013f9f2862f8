// The settings file beside the program, read and written by its keys.
#pragma once
#include "core/settings_keys.h"

int readSetting(const SettingKey& key, int fallback);
// False when the file could not be written.
bool writeSetting(const SettingKey& key, int value);
