#include "player.h"

#include <shlobj.h>

namespace {
struct Search {
    DWORD process;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK findTop(HWND w, LPARAM data) {
    Search* s = reinterpret_cast<Search*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (pid != s->process || lstrcmpW(cls, s->className) != 0 || !IsWindowVisible(w))
        return TRUE;
    s->found = w;
    return FALSE;
}
} // namespace

HWND Player::topWindow(const wchar_t* className) const {
    Search s = {process_.dwProcessId, className, nullptr};
    eventually([&] { return EnumWindows(findTop, reinterpret_cast<LPARAM>(&s)), s.found != nullptr; }, 10000);
    return s.found;
}

Player::Player(const std::string& settings) : Player(settings, {}) {}

Player::Player(const std::string& settings, const std::vector<Beside>& files) : folder_(freshFolder(L"e2e")) {
    for (const Beside& b : files) {
        writeFile(file(b.name.c_str()), b.bytes);
    }
    std::wstring exe = file(L"ZonPlayer.exe");
    if (!CopyFileW(pathFromEnvironment(L"ZON_PLAYER_EXE").c_str(), exe.c_str(), FALSE))
        return;
    if (!settings.empty())
        writeFile(settingsPath(), settings);
    // The real pointer waits far from the window, so that only what a test does reaches it.
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                        &startup, &process_))
        return;
    main_ = topWindow(L"Zon Player");
    roundTrip();
}

Player::~Player() {
    if (process_.hProcess != nullptr) {
        if (running()) {
            close();
            if (running())
                TerminateProcess(process_.hProcess, 1);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

HWND Player::child(const wchar_t* className) const {
    return FindWindowExW(main_, nullptr, className, nullptr);
}

RECT Player::windowRect() const {
    RECT r = {};
    GetWindowRect(main_, &r);
    return r;
}

RECT Player::childRect(const wchar_t* className) const {
    RECT r = {};
    HWND w = child(className);
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Player::activate() const {
    SetForegroundWindow(main_);
    roundTrip();
}

void Player::postKey(UINT message, WPARAM key, bool altHeld) const {
    LPARAM lParam = 1 | (altHeld ? (1 << 29) : 0);
    PostMessageW(main_, message, key, lParam);
}

bool Player::roundTrip() const {
    DWORD_PTR result = 0;
    return main_ != nullptr && SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

bool Player::running() const {
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

long Player::waitForExit(DWORD ms) {
    if (WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

void Player::kill() {
    TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 10000);
}

bool Player::listShown() const {
    // The first row's stripe appears once the list file is loaded.
    RECT list = {};
    GetWindowRect(child(L"Zon PlayList"), &list);
    return eventually([&] {
        HDC screen = GetDC(nullptr);
        COLORREF c = GetPixel(screen, list.left + 4, list.top + 22 + 7);
        ReleaseDC(nullptr, screen);
        return c == RGB(0, 111, 198) || c == RGB(0, 204, 102);
    });
}

long Player::close() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    return waitForExit(10000);
}

std::wstring readSetting(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(section, key, L"(absent)", value, 64, file.c_str());
    return value;
}

bool Player::dropFiles(const std::vector<std::wstring>& paths) const {
    std::wstring names;
    for (const std::wstring& p : paths)
        names += p + L'\0';
    names += L'\0';
    std::vector<char> block(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(block.data() + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    // Fixed global memory is addressed by its pointer, so a block in the player's own address
    // space serves as the drop handle there.
    void* remote = VirtualAllocEx(process_.hProcess, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    if (remote == nullptr ||
        !WriteProcessMemory(process_.hProcess, remote, block.data(), block.size(), nullptr))
        return false;
    return PostMessageW(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != 0;
}

std::vector<std::string> pathLines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!line.empty() && line[0] != '#')
            out.push_back(line);
        if (end == std::string::npos)
            break;
        at = end + 2;
    }
    return out;
}
