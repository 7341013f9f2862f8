#include "playlist/file_ops.h"

#include "core/command_ids.h"
#include "core/file_names.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "playlist/saving.h"
#include "skin/hint.h"
#include "win32/long_path.h"
#include "win32/wide.h"
#include "win32/rects.h"

#include <shlobj.h>

#include <string>

namespace {
// The engine is handed the main window and the picture window; the file's dialogs belong to the
// one and their hints stand over the other.
HWND owner() {
    return engineNotifyWindow;
}

PlaylistEntry* currentEntry() {
    int current = activeList->current;
    return current >= 0 && current < activeList->count() ? activeList->entries[current].get() : nullptr;
}

// Moves the current entry's file (at `from`) to `target`, paths of any length, once the player has
// let go of it; on success the entry follows its file and the hint says so. Whatever happened, the
// next entry plays. Stopping may discard a disc's list, so the entry is looked up again afterwards.
void moveCurrentFile(std::u16string from, const std::optional<std::u16string>& target,
                     const std::wstring& hint) {
    if (playbackState != Stopped)
        setPlaybackState(Stopped);
    whenMediaClosed(releaseLimit, [from, target, hint] {
        if (target && MoveFileW(extendedPath(asWide(from.c_str())).c_str(),
                                extendedPath(asWide(target->c_str())).c_str())) {
            if (PlaylistEntry* entry = currentEntry(); entry != nullptr && entry->path == from) {
                entry->path = *target;
                noteListChanged();
            }
            RECT r = winRect(fileHintRect(screenRectOf(engineVideoWindow)));
            hideHint();
            showTextHint(&r, hint.c_str());
        }
        PlayNext();
    });
}

PlaybackState stateAtOpening;
std::u16string shownName;

std::u16string editText(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_RENAME_EDIT);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return asU16(text.c_str());
}

void confirmRename(HWND dialog) {
    PlaylistEntry* entry = currentEntry();
    std::u16string name = editText(dialog);
    if (entry == nullptr || name == shownName) {
        setPlaybackState(stateAtOpening);
        return;
    }
    std::optional<std::u16string> target = renamedPath(entry->path, name);
    if (!target)
        return; // no folder to rename in: the file is left alone, paused
    std::u16string newName = target->substr(target->rfind(u'\\') + 1);
    moveCurrentFile(entry->path, target, std::wstring(L"重命名为：") + asWide(newName.c_str()));
}

INT_PTR CALLBACK renameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        stateAtOpening = playbackState;
        if (playbackState != Paused)
            setPlaybackState(Paused);
        PlaylistEntry* entry = currentEntry();
        shownName = entry != nullptr ? shownNameOf(entry->path) : std::u16string();
        HWND edit = GetDlgItem(dialog, IDC_RENAME_EDIT);
        SetWindowTextW(edit, asWide(shownName.c_str()));
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            confirmRename(dialog);
        else if (LOWORD(wParam) == IDCANCEL)
            setPlaybackState(stateAtOpening);
        else
            return FALSE;
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// Ten folders, one per digit, chosen once a run; each ends with a backslash.
std::wstring folderSlots[10];

bool chooseFolder(std::wstring& slot) {
    BROWSEINFOW browse = {};
    wchar_t display[MAX_PATH] = {};
    browse.hwndOwner = owner();
    browse.pszDisplayName = display;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (chosen == nullptr)
        return false;
    wchar_t path[MAX_PATH] = {};
    bool named = SHGetPathFromIDListW(chosen, path) && path[0] != 0;
    CoTaskMemFree(chosen);
    if (!named)
        return false;
    slot = path;
    if (slot.back() != L'\\')
        slot += L'\\';
    return true;
}
} // namespace

void runRenameDialog() {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_RENAME), owner(), renameProc, 0);
}

void moveCurrentToFolder(int slot) {
    if (slot < 0 || slot > 9 || playbackState != Playing || activeList == discList ||
        currentEntry() == nullptr)
        return;
    std::wstring& folder = folderSlots[slot];
    if (!pathExists(folder)) {
        setPlaybackState(Paused);
        if (!chooseFolder(folder)) {
            setPlaybackState(Playing);
            return;
        }
    }
    PlaylistEntry* entry = currentEntry();
    if (entry == nullptr)
        return;
    moveCurrentFile(entry->path, movedPath(asU16(folder.c_str()), entry->path), L"移动到：" + folder);
}
