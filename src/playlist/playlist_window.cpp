#include "playlist/playlist_window.h"

#include "app/geometry.h"
#include "app/shell.h"
#include "core/window_size.h"
#include "app/wide.h"
#include "core/command_ids.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/skin.h"

#include <commdlg.h>

#include <string>

HMENU listMenu;
int listHeight;

namespace {
constexpr UINT_PTR kLoadTimer = 102;
constexpr UINT kLoadDelay = 50;

// The deferred start-up load: the list beside the program, then the entry and loop of last time.
void loadDefaultList(HWND window) {
    KillTimer(window, kLoadTimer);
    std::wstring file = std::wstring(programFolder) + L"default.m3u";
    if (file.size() < kPathUnits) {
        copyTextWhole(mainList.fileName, kPathUnits, asU16(file.c_str()));
        ReadM3u(file.c_str());
    }
    int index = static_cast<int>(GetPrivateProfileIntW(L"PLAYLIST", L"Index", -1, settingsPath));
    // A stored index that no longer fits the list means no current entry.
    activeList->current = index >= 0 && index < activeList->count ? index : -1;
    if (activeList->current < 0 || EnsureVisible(activeList->current) == 0)
        RedrawList();
    loopFlag = GetPrivateProfileIntW(L"PLAYLIST", L"Loop", 0, settingsPath) != 0;
    drawControls(mainWindow);
}

void writeSetting(const wchar_t* section, const wchar_t* key, int value) {
    WritePrivateProfileStringW(section, key, std::to_wstring(value).c_str(), settingsPath);
}

// Leaving: the settings first, then the list itself, then the entries are freed.
void saveOnExit() {
    writeSetting(L"PLAYLIST", L"Loop", loopFlag ? 1 : 0);
    writeSetting(L"WINDOW", L"Playlist.Visible", playlistVisible ? 1 : 0);
    writeSetting(L"PLAYLIST", L"Index", mainList.current);
    writeSetting(L"WINDOW", L"Playlist.Width", playlistWidth);
    WriteM3u();
    ClearPlaylist(*activeList);
}

void saveListAs() {
    wchar_t filter[64] = {};
    int n = LoadStringW(GetModuleHandleW(nullptr), IDS_SAVE_LIST_FILTER, filter, 62);
    for (int i = 0; i < n; ++i)
        if (filter[i] == L'|')
            filter[i] = 0;
    wchar_t path[kPathUnits] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = mainWindow;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathUnits;
    dialog.lpstrDefExt = L"m3u";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_READONLY;
    if (!GetSaveFileNameW(&dialog))
        return;
    copyTextWhole(activeList->fileName, kPathUnits, asU16(path));
    WriteM3u();
}

void executeListCommand(WORD command) {
    switch (command) {
    case CMD_FILE_OPEN:
        clearActiveList(true);
        ShowAddDialog();
        break;
    case CMD_LIST_ADD:
        ShowAddDialog();
        break;
    case CMD_LIST_SAVE:
        saveListAs();
        break;
    case CMD_LIST_CLEAR:
        clearActiveList(true);
        break;
    case CMD_LIST_LOOP:
        loopFlag = !loopFlag;
        break;
    case CMD_LIST_SHUFFLE:
        ShufflePlaylist();
        break;
    case CMD_LIST_SORT_TITLE:
        SortPlaylist(SortByTitle);
        break;
    case CMD_LIST_SORT_PATH:
        SortPlaylist(SortByPath);
        break;
    default:
        break;
    }
}

// The list never reaches into the smallest video area on its left.
void keepRightOfTheVideo(WINDOWPOS* pos) {
    if (pos->flags & SWP_NOMOVE)
        return;
    if (pos->x < kVideoMinWidth) {
        RECT client;
        GetClientRect(mainWindow, &client);
        pos->x = kVideoMinWidth;
        pos->cx = client.right - kVideoMinWidth;
    }
}

LRESULT CALLBACK playlistWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT r;
        GetClientRect(window, &r);
        FillRect(dc, &r, menuBarBrush);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_WINDOWPOSCHANGING:
        keepRightOfTheVideo(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        if (playlistVisible) {
            const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            listHeight = pos->cy;
            playlistWidth = pos->cx;
            layoutChildren();
        }
        break;
    case WM_TIMER:
        if (wParam == kLoadTimer)
            loadDefaultList(window);
        return 0;
    case WM_COMMAND:
        executeListCommand(LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        saveOnExit();
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

HWND createPlaylistWindow(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = playlistWindowProc;
    wc.hInstance = instance;
    wc.hCursor = arrowCursor;
    wc.lpszClassName = L"Zon PlayList";
    RegisterClassExW(&wc);
    mainList.current = -1;
    mainList.selected = -1;
    activeList = &mainList;
    listMenu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_LIST_MENU));
    DWORD style = WS_CHILD | (playlistVisible ? WS_VISIBLE : 0);
    HWND window =
        CreateWindowExW(0, L"Zon PlayList", L"", style, 0, 0, 0, 0, mainWindow, nullptr, instance, nullptr);
    if (window != nullptr)
        SetTimer(window, kLoadTimer, kLoadDelay, nullptr);
    return window;
}

void RedrawList() {
    if (batchAdding || !playlistVisible || playlistWindow == nullptr)
        return;
    InvalidateRect(playlistWindow, nullptr, FALSE);
}

int EnsureVisible(int) {
    return 0;
}
