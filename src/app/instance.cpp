#include "app/instance.h"

#include "app/main_window.h"
#include "app/shell.h"
#include "core/command_line.h"
#include "core/entry_paths.h"
#include "playlist/playlist.h"
#include "win32/guards.h"
#include "win32/long_path.h"
#include "win32/wide.h"

#include <cstdint>
#include <utility>

namespace {
constexpr ULONG_PTR kPathsBlock = 0x5A4F4E50; // "ZONP": a block of paths from a later start
constexpr DWORD kHandOverPatience = 10000;    // a player starting or ending answers well within it
constexpr DWORD kHandOverWait = 50;           // a later start's wait between its tries
constexpr UINT kHandOverTimeout = 5000;       // a player that takes longer to answer is hung

std::wstring objectName; // the mutex the player holds; its window's handle is in "<name>-window"
HANDLE ownerMutex;       // held for the process's life, never closed: the system lets it go at exit
HANDLE windowMapping;
std::vector<std::vector<std::wstring>> queued;

// One name for each folder, however it is spelt: its long form in upper case, hashed, since a
// kernel object's name must not hold a backslash and has a limited length.
std::wstring objectNameFor(const wchar_t* folder) {
    std::wstring key(32768, L'\0');
    DWORD n = GetLongPathNameW(folder, key.data(), static_cast<DWORD>(key.size()));
    key = n > 0 && n < key.size() ? key.substr(0, n) : std::wstring(folder);
    CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : key)
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    wchar_t hex[17];
    for (int i = 15; i >= 0; --i, hash >>= 4)
        hex[i] = L"0123456789ABCDEF"[hash & 15];
    hex[16] = 0;
    return std::wstring(L"Local\\ZonPlayer-") + hex;
}

bool owned(DWORD waited) {
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED; // abandoned: the player before ended
}

HWND publishedWindow() {
    Handle mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, (objectName + L"-window").c_str()));
    if (!mapping.valid())
        return nullptr;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(std::uint64_t));
    if (view == nullptr)
        return nullptr;
    auto window =
        reinterpret_cast<HWND>(static_cast<UINT_PTR>(*static_cast<const volatile std::uint64_t*>(view)));
    UnmapViewOfFile(view);
    wchar_t className[16] = {};
    return window != nullptr && GetClassNameW(window, className, 16) &&
                   lstrcmpW(className, L"Zon Player") == 0
               ? window
               : nullptr;
}

bool handOver(const std::vector<std::wstring>& paths) {
    HWND window = publishedWindow();
    if (window == nullptr)
        return false;
    // The user started this process: the running player may take the front in its place.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    AllowSetForegroundWindow(pid);
    std::vector<std::u16string> texts;
    for (const std::wstring& p : paths)
        texts.emplace_back(asU16(p.c_str()));
    std::u16string block = packPaths(texts);
    COPYDATASTRUCT data = {kPathsBlock, static_cast<DWORD>(block.size() * sizeof(char16_t)), block.data()};
    DWORD_PTR answer = FALSE;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                               kHandOverTimeout, &answer) != 0 &&
           answer == TRUE;
}

void bringToFront(HWND window) {
    if (trayShown)
        showInTray(false);
    else if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}
} // namespace

std::vector<std::wstring> commandLinePaths() {
    std::vector<std::wstring> paths;
    for (const std::u16string& argument : commandLineArguments(asU16(GetCommandLineW()))) {
        std::wstring path = asWide(argument.c_str());
        paths.push_back(isAddress(argument) ? path : fullPath(path));
    }
    return paths;
}

bool becomePlayer(const wchar_t* stateFolder, const std::vector<std::wstring>& paths) {
    objectName = objectNameFor(stateFolder);
    ownerMutex = CreateMutexW(nullptr, FALSE, objectName.c_str());
    if (ownerMutex == nullptr) {
        // Held out of reach by a player of higher rights: this one must not write beside it.
        if (GetLastError() == ERROR_ACCESS_DENIED) {
            handOver(paths);
            return false;
        }
        return true; // nothing can be agreed on without it: the player runs as it always did
    }
    for (DWORD start = GetTickCount();;) {
        if (owned(WaitForSingleObject(ownerMutex, 0)))
            return true;
        if (handOver(paths) || GetTickCount() - start > kHandOverPatience)
            return false;
        // The running player is starting (its window is not there yet) or ending (the folder is
        // about to be free): wait for the folder, a little at a time.
        if (owned(WaitForSingleObject(ownerMutex, kHandOverWait)))
            return true;
    }
}

void publishPlayerWindow(HWND window) {
    if (objectName.empty())
        return;
    windowMapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       sizeof(std::uint64_t), (objectName + L"-window").c_str());
    if (windowMapping == nullptr)
        return;
    if (void* view = MapViewOfFile(windowMapping, FILE_MAP_WRITE, 0, 0, sizeof(std::uint64_t))) {
        *static_cast<volatile std::uint64_t*>(view) = reinterpret_cast<UINT_PTR>(window);
        UnmapViewOfFile(view);
    }
}

LRESULT receiveHandedPaths(HWND window, const COPYDATASTRUCT* data) {
    // A player on its way out takes nothing: the later start waits for it to end and plays itself.
    if (leaving || data == nullptr || data->dwData != kPathsBlock ||
        (data->lpData == nullptr && data->cbData > 0))
        return FALSE;
    std::vector<std::wstring> paths;
    for (const std::u16string& p :
         unpackPaths(static_cast<const char16_t*>(data->lpData), data->cbData / sizeof(char16_t)))
        paths.emplace_back(asWide(p.c_str()));
    // Now, while the start that sent them may still hand the front over.
    bringToFront(window);
    if (!paths.empty())
        queueShellPaths(std::move(paths));
    return TRUE;
}

void queueShellPaths(std::vector<std::wstring> paths) {
    queued.push_back(std::move(paths));
    PostMessageW(mainWindow, shellPathsMessage, 0, 0);
}

void openQueuedShellPaths() {
    std::vector<std::vector<std::wstring>> batches = std::exchange(queued, {});
    // Taken just before the way out began: kept in the list (its last save comes later), not played.
    for (const std::vector<std::wstring>& paths : batches)
        openShellPaths(paths, !leaving);
}
