#include "playlist/playlist_window.h"

#include "app/shell.h"
#include "core/command_ids.h"
#include "playlist/playlist.h"
#include "skin/skin.h"

HMENU listMenu;

namespace {
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
    case WM_DESTROY:
        ClearPlaylist(mainList);
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
    return CreateWindowExW(0, L"Zon PlayList", L"", style, 0, 0, 0, 0, mainWindow, nullptr, instance,
                           nullptr);
}

void RedrawList() {
    if (batchAdding || !playlistVisible || playlistWindow == nullptr)
        return;
    InvalidateRect(playlistWindow, nullptr, FALSE);
}

int EnsureVisible(int) {
    return 0;
}
