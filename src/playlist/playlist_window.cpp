#include "playlist/playlist_window.h"
#include "win32/settings_file.h"

#include "core/text.h"
#include "core/timers.h"
#include "win32/program_location.h"
#include "win32/wide.h"
#include "core/command_ids.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "playlist/saving.h"
#include "skin/frame.h"
#include "skin/skin.h"
#include "win32/guards.h"

#include <commdlg.h>
#include <windowsx.h>

#include <string>

HMENU listMenu;
HWND playlistWindow;
int playlistWidth = kDefaultPlaylistWidth;
bool playlistVisible = true;

namespace {
constexpr int kBorderWidth = 3;
void (*parentResized)();

bool listLoaded;

// The deferred start-up load: the list beside the program, then the entry and loop of last time.
void loadDefaultList(HWND window) {
    KillTimer(window, kListLoadTimer);
    listLoaded = true;
    std::wstring file = listFilePath();
    mainList.fileName = asU16(file.c_str());
    // A new home away from the program starts with the list beside the program.
    ListFileRead read = ReadM3u(listFileToRead().c_str());
    listFileLoaded(read.found, read.whole);
    int index = readSetting(kCurrentEntry, -1);
    // A stored index that no longer fits the list means no current entry.
    activeList->current = index >= 0 && index < activeList->count() ? index : -1;
    if (activeList->current < 0 || EnsureVisible(activeList->current) == 0)
        RedrawList();
    loopFlag = readSetting(kLoop, 0) != 0;
    drawControls();
}

// Leaving: the shell has saved everything; what changed since (or failed then) reaches the disk,
// then the entries are freed.
void saveOnExit() {
    ensureListLoaded();
    saveBeforeLeaving(false);
    stopSaving();
    ClearPlaylist(*activeList);
}

void saveListAs() {
    std::vector<wchar_t> filter = filterFromResource(IDS_SAVE_LIST_FILTER);
    wchar_t path[kPathUnits] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetParent(playlistWindow);
    dialog.lpstrFilter = filter.data();
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathUnits;
    dialog.lpstrDefExt = L"m3u";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_READONLY;
    if (!GetSaveFileNameW(&dialog))
        return;
    // The list moves to the new file only once it is there: a file that cannot be written would
    // otherwise take every later save, and the list, with it.
    std::u16string before = activeList->fileName;
    activeList->fileName = asU16(path);
    if (!WriteM3u())
        activeList->fileName = before;
}

void executeListCommand(WORD command) {
    ensureListLoaded();
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
        noteListChanged();
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
        GetClientRect(GetParent(playlistWindow), &client);
        pos->x = kVideoMinWidth;
        pos->cx = client.right - kVideoMinWidth;
    }
}

// A point no more than 3 pixels in from the left edge, below the strip, drags the list's width.
LRESULT hitTestList(HWND window, LPARAM lParam) {
    RECT r;
    GetWindowRect(window, &r);
    int x = GET_X_LPARAM(lParam) - r.left, y = GET_Y_LPARAM(lParam) - r.top;
    return x <= 3 && y > 21 ? HTLEFT : HTCLIENT;
}

void paintThroughWindowDc(HWND window) {
    PaintPlaylistWindow(WindowDc(window));
}

LRESULT CALLBACK playlistWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_NCCALCSIZE:
        reinterpret_cast<RECT*>(lParam)->left += kBorderWidth;
        return 0;
    case WM_NCHITTEST:
        return hitTestList(window, lParam);
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        PaintBorder(window);
        return 0;
    case WM_PAINT:
        paintThroughWindowDc(window);
        break;
    case WM_SIZE:
        // Laid out before the player is first shown: its first paint draws the list then.
        if (IsWindowVisible(window))
            paintThroughWindowDc(window);
        break;
    case WM_WINDOWPOSCHANGING:
        keepRightOfTheVideo(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        if (playlistVisible) {
            const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            listHeight = pos->cy;
            if (playlistWidth != pos->cx) {
                playlistWidth = pos->cx;
                noteListChanged();
            }
            UpdateScrollGeometry(pos->cy - kListTop);
            parentResized();
        }
        break;
    case WM_MOUSEMOVE:
        listMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_LBUTTONDOWN:
        listButtonDown(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_LBUTTONUP:
        listButtonUp();
        break;
    case WM_CAPTURECHANGED:
        listCaptureLost();
        break;
    case WM_LBUTTONDBLCLK:
        listDoubleClick();
        break;
    case WM_MOUSEWHEEL:
        listWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_KEYDOWN:
        HandleListKey(static_cast<UINT>(wParam));
        break;
    case WM_TIMER:
        if (wParam == kListLoadTimer)
            loadDefaultList(window);
        else if (wParam == kListSaveTimer)
            runScheduledSave();
        else
            listTimer(window, wParam);
        return 0;
    case kSaveFailedMessage:
        retrySaveLater();
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

void ensureListLoaded() {
    if (!listLoaded && playlistWindow != nullptr)
        loadDefaultList(playlistWindow);
}

void savePlaylistNow() {
    // A player closed at once still ends with last run's list and settings, never an empty list.
    ensureListLoaded();
    saveBeforeLeaving(true);
}

void readListLayout(const FrameMetrics& frame, int screenWidth) {
    int stored = readSetting(kListWidthAtStart, kDefaultPlaylistWidth);
    playlistWidth = sanePlaylistWidth(stored, frame, screenWidth);
    playlistVisible = readSetting(kListShownAtStart, 1) != 0;
}

void setPlaylistVisible(bool visible) {
    playlistVisible = visible;
    noteListChanged();
}

HWND createPlaylistWindow(HINSTANCE instance, HWND parent, void (*resized)()) {
    parentResized = resized;
    registerPlayerClass(instance, L"Zon PlayList", CS_DBLCLKS, playlistWindowProc, nullptr);
    mainList.current = -1;
    mainList.selected = -1;
    activeList = &mainList;
    listMenu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_LIST_MENU));
    DWORD style = WS_CHILD | (playlistVisible ? WS_VISIBLE : 0);
    playlistWindow =
        CreateWindowExW(0, L"Zon PlayList", L"", style, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
    if (playlistWindow != nullptr)
        SetTimer(playlistWindow, kListLoadTimer, kListLoadDelay, nullptr);
    return playlistWindow;
}
