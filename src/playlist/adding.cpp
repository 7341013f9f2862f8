#include "app/shell.h"
#include "app/wide.h"
#include "core/command_ids.h"
#include "core/selection.h"
#include "core/text.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/frame.h"

#include <commdlg.h>

#include <string>
#include <vector>

namespace {
int addFilterIndex; // the filter chosen when the dialog was last confirmed

bool isListFile(const wchar_t* path) {
    std::size_t n = wcslen(path);
    if (n < 4)
        return false;
    const wchar_t* tail = path + n - 4;
    return tail[0] == L'.' && (tail[1] | 0x20) == L'm' && (tail[2] | 0x20) == L'3' &&
           (tail[3] | 0x20) == L'u';
}

} // namespace

// A filter string resource, with '|' standing for the NULs that separate its parts.
std::vector<wchar_t> filterFromResource(UINT id) {
    wchar_t text[256] = {};
    int n = LoadStringW(GetModuleHandleW(nullptr), id, text, 255);
    std::vector<wchar_t> filter(text, text + n);
    for (wchar_t& c : filter)
        if (c == L'|')
            c = 0;
    filter.push_back(0);
    filter.push_back(0);
    return filter;
}

bool AddFile(const wchar_t* path) {
    if (isListFile(path))
        ReadM3u(path);
    else
        AppendEntry(*activeList, asU16(path));
    if (!batchAdding) {
        drawControls(mainWindow);
        RedrawList();
    }
    return activeList->count < kPlaylistCapacity;
}

bool AddFolder(const wchar_t* path) {
    std::wstring folder = path;
    std::wstring pattern = folder + (!folder.empty() && folder.back() == L'\\' ? L"*.*" : L"\\*.*");
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    WIN32_FIND_DATAW item;
    HANDLE search = FindFirstFileW(pattern.c_str(), &item);
    if (search == INVALID_HANDLE_VALUE)
        return activeList->count < kPlaylistCapacity;
    bool room = true;
    do {
        if (item.cFileName[0] == L'.' || (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        std::wstring file = folder + L"\\" + item.cFileName;
        if (file.size() >= kPathUnits)
            continue; // a cut path would name another file
        room = AddFile(file.c_str());
    } while (room && FindNextFileW(search, &item));
    FindClose(search);
    return room;
}

void ShowAddDialog() {
    std::vector<wchar_t> filter = filterFromResource(IDS_ADD_FILTER);
    std::vector<wchar_t> selection(16384, 0);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = mainWindow;
    dialog.lpstrFilter = filter.data();
    dialog.nFilterIndex = static_cast<DWORD>(addFilterIndex);
    dialog.lpstrFile = selection.data();
    dialog.nMaxFile = static_cast<DWORD>(selection.size());
    dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_READONLY;
    if (!GetOpenFileNameW(&dialog))
        return;
    addFilterIndex = static_cast<int>(dialog.nFilterIndex);
    for (const std::u16string& path :
         selectedPaths(asU16(selection.data()), selection.size(), dialog.nFileOffset))
        if (!AddFile(asWide(path.c_str())))
            break;
}
