#include "app/disc_menus.h"

#include "app/shell.h"
#include "core/command_ids.h"
#include "engine/disc.h"

#include <algorithm>
#include <string>
#include <vector>

LCID defaultAudioLanguage, defaultSubtitleLanguage;

namespace {
// The play popup's audio and subtitle submenus, by their places in it, and their fixed items.
constexpr int kPlayPopup = 2, kAudioPlace = 11, kSubtitlePlace = 12, kAudioFixed = 1, kSubtitleFixed = 3;

HMENU languageMenu(int place) {
    return GetSubMenu(GetSubMenu(mainMenu, kPlayPopup), place);
}

void trim(HMENU menu, int fixed) {
    while (menu != nullptr && GetMenuItemCount(menu) > fixed)
        DeleteMenu(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), MF_BYPOSITION);
}

std::wstring languageName(LCID language) {
    wchar_t name[128] = {};
    return language != 0 && GetLocaleInfoW(language, LOCALE_SLANGUAGE, name, 128) > 0 ? name : L"";
}

// Appends each named stream as base + its number; the default language's stream is chosen.
void fill(HMENU menu, const std::vector<LCID>& languages, UINT base, LCID preferred) {
    for (std::size_t i = 0; i < languages.size(); ++i) {
        std::wstring name = languageName(languages[i]);
        if (name.empty())
            continue;
        UINT command = base + static_cast<UINT>(i);
        if (languages[i] == preferred)
            selectDvdStream(static_cast<WORD>(command));
        AppendMenuW(menu, MF_STRING, command, name.c_str());
    }
}

// The languages of the current title, each once, for the dialog's boxes.
void fillBox(HWND box, const std::vector<LCID>& languages, LCID chosen) {
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"无偏好"));
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    std::vector<LCID> listed;
    for (LCID language : languages) {
        std::wstring name = languageName(language);
        if (name.empty() || std::find(listed.begin(), listed.end(), language) != listed.end())
            continue;
        listed.push_back(language);
        auto at = SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(box, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(language));
        if (language == chosen)
            SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
}

LCID chosenIn(HWND box) {
    auto at = SendMessageW(box, CB_GETCURSEL, 0, 0);
    return at > 0 ? static_cast<LCID>(SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(at), 0)) : 0;
}

INT_PTR CALLBACK languagesDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        fillBox(GetDlgItem(dialog, IDC_AUDIO_LANGUAGE), dvdAudioLanguages(), defaultAudioLanguage);
        fillBox(GetDlgItem(dialog, IDC_SUBTITLE_LANGUAGE), dvdSubtitleLanguages(), defaultSubtitleLanguage);
        fillBox(GetDlgItem(dialog, IDC_MENU_LANGUAGE), {}, 0);
        return TRUE;
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL))
        return FALSE;
    if (LOWORD(wParam) == IDOK) {
        defaultAudioLanguage = chosenIn(GetDlgItem(dialog, IDC_AUDIO_LANGUAGE));
        defaultSubtitleLanguage = chosenIn(GetDlgItem(dialog, IDC_SUBTITLE_LANGUAGE));
    }
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}
} // namespace

void removeLanguageItems() {
    trim(languageMenu(kAudioPlace), kAudioFixed);
    trim(languageMenu(kSubtitlePlace), kSubtitleFixed);
}

void rebuildLanguageMenus() {
    removeLanguageItems();
    fill(languageMenu(kAudioPlace), dvdAudioLanguages(), CMD_AUDIO_STREAM_FIRST, defaultAudioLanguage);
    if (defaultSubtitleLanguage == 0)
        selectDvdStream(CMD_SUBTITLE_OFF);
    fill(languageMenu(kSubtitlePlace), dvdSubtitleLanguages(), CMD_SUBTITLE_STREAM_FIRST,
         defaultSubtitleLanguage);
}

void chooseDefaultLanguages(HWND owner) {
    DialogBoxW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_LANGUAGES), owner, languagesDialog);
}
