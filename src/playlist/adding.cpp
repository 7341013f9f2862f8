#include "win32/wide.h"
#include "core/command_ids.h"
#include "core/m3u.h"
#include "core/selection.h"
#include "win32/long_path.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "playlist/saving.h"
#include "skin/frame.h"
#include "win32/guards.h"

#include <commdlg.h>

#include <string>
#include <vector>

namespace {
int addFilterIndex; // the filter chosen when the dialog was last confirmed

void redrawAfterAdding() {
    noteListChanged();
    if (!batchAdding) {
        drawControls();
        RedrawList();
    }
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

void AddFile(const wchar_t* path) {
    if (isListFileName(asU16(path)))
        ReadM3u(path);
    else
        AppendEntry(*activeList, asU16(path));
    redrawAfterAdding();
}

void AddFolder(const wchar_t* path) {
    std::wstring folder = path;
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    WIN32_FIND_DATAW item;
    FindHandle search(extendedPath(folder + L"\\*.*").c_str(), &item);
    if (!search.valid())
        return;
    do {
        if (item.cFileName[0] == L'.' || (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        AddFile((folder + L"\\" + item.cFileName).c_str());
    } while (search.next(&item));
}

void ShowAddDialog() {
    std::vector<wchar_t> filter = filterFromResource(IDS_ADD_FILTER);
    std::vector<wchar_t> selection(65536, 0);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetParent(playlistWindow);
    dialog.lpstrFilter = filter.data();
    dialog.nFilterIndex = static_cast<DWORD>(addFilterIndex);
    dialog.lpstrFile = selection.data();
    dialog.nMaxFile = static_cast<DWORD>(selection.size());
    dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_READONLY;
    if (!GetOpenFileNameW(&dialog))
        return;
    addFilterIndex = static_cast<int>(dialog.nFilterIndex);
    batchAdding = true;
    for (const std::u16string& path :
         selectedPaths(asU16(selection.data()), selection.size(), dialog.nFileOffset))
        AddFile(asWide(path.c_str()));
    batchAdding = false;
    redrawAfterAdding();
}
