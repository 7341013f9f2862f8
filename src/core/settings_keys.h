// Every value the settings file holds: its section and its key, as the file spells them.
#pragma once

struct SettingKey {
    const char16_t* section;
    const char16_t* key;
};

// Read at start-up (the window's place is never written).
constexpr SettingKey kListWidthAtStart = {u"window", u"playlist.width"};
constexpr SettingKey kListShownAtStart = {u"window", u"playlist.visible"};
constexpr SettingKey kWindowLeft = {u"window", u"player.left"};
constexpr SettingKey kWindowTop = {u"window", u"player.top"};
// Written by the list, and the first two read back when it loads.
constexpr SettingKey kCurrentEntry = {u"PLAYLIST", u"Index"};
constexpr SettingKey kLoop = {u"PLAYLIST", u"Loop"};
constexpr SettingKey kListShown = {u"WINDOW", u"Playlist.Visible"};
constexpr SettingKey kListWidth = {u"WINDOW", u"Playlist.Width"};
