#include "player.h"

#include "win32/guards.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
PROCESS_INFORMATION launch(const std::wstring& exe, const std::wstring& folder,
                           const std::wstring& arguments) {
    std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                   &process);
    return process;
}

long exitCode(HANDLE process, DWORD ms) {
    DWORD code = 0;
    if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0 || !GetExitCodeProcess(process, &code))
        return -1;
    return static_cast<long>(code);
}

// A visible top-level window of process `pid` (a dialog is "#32770").
HWND visibleWindow(const wchar_t* className, DWORD pid) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

void release(PROCESS_INFORMATION& process) {
    if (process.hProcess == nullptr)
        return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}
} // namespace

Player::Player(const std::string& settings, const std::vector<Beside>& files, const Start& start)
    : folder_(start.folder.empty() ? freshFolder(L"e2e") : start.folder) {
    for (const Beside& b : files)
        writeFile(file(b.first.c_str()), b.second);
    if (!settings.empty())
        writeFile(file(L"ZonPlayer.ini"), settings);
    std::wstring exe = file(L"ZonPlayer.exe");
    // The real pointer waits far from the window, so that only what a test does reaches it.
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    if (!CopyFileW(pathFromEnvironment(L"ZON_PLAYER_EXE").c_str(), exe.c_str(), FALSE))
        return;
    process_ = launch(exe, folder_, start.arguments);
    for (const std::wstring& arguments : start.alongside)
        others_.push_back(launch(exe, folder_, arguments));
    // Whichever start got there first is the player.
    eventually(
        [&] {
            for (PROCESS_INFORMATION& p : others_)
                if (visibleWindow(L"Zon Player", p.dwProcessId) != nullptr)
                    std::swap(p, process_);
            return (main_ = visibleWindow(L"Zon Player", process_.dwProcessId)) != nullptr;
        },
        10000);
    roundTrip();
}

Player::~Player() {
    if (process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT &&
        PostMessageW(main_, WM_CLOSE, 0, 0))
        waitForExit(10000);
    release(process_);
    for (PROCESS_INFORMATION& p : others_)
        release(p);
}

long Player::startAgain(const std::wstring& arguments, DWORD ms) const {
    PROCESS_INFORMATION again = launch(file(L"ZonPlayer.exe"), folder_, arguments);
    long code = again.hProcess != nullptr ? exitCode(again.hProcess, ms) : -1;
    release(again);
    return code;
}

int Player::othersEnded(DWORD ms) const {
    int zero = 0;
    for (const PROCESS_INFORMATION& p : others_) {
        long code = exitCode(p.hProcess, ms);
        if (code < 0)
            return -1;
        zero += code == 0;
    }
    return zero;
}

HWND Player::topWindow(const wchar_t* className) const {
    HWND found = nullptr;
    eventually([&] { return (found = visibleWindow(className, process_.dwProcessId)) != nullptr; }, 10000);
    return found;
}

std::wstring Player::setting(const wchar_t* section, const wchar_t* key) const {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(section, key, L"(absent)", value, 64, file(L"ZonPlayer.ini").c_str());
    return value;
}

RECT Player::childRect(const wchar_t* className) const {
    RECT r = {};
    GetWindowRect(child(className), &r);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Player::windowRect() const {
    RECT r = {};
    GetWindowRect(main_, &r);
    return r;
}

void Player::activate() const {
    SetForegroundWindow(main_);
    roundTrip();
}

void Player::pointAt(POINT at) const {
    RECT r = windowRect();
    SendMessageW(main_, WM_NCHITTEST, 0, MAKELPARAM(r.left + at.x, r.top + at.y));
}

void Player::click(POINT at, UINT down) const {
    pointAt(at);
    SendMessageW(main_, down, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(main_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void Player::postKey(UINT message, WPARAM key, bool altHeld) const {
    PostMessageW(main_, message, key, 1 | (altHeld ? (1 << 29) : 0));
}

bool Player::roundTrip(DWORD ms) const {
    DWORD_PTR result = 0;
    return main_ != nullptr && SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result) != 0;
}

bool Player::listShown() const {
    // The first row's stripe appears once the list file is loaded.
    RECT list = {};
    if (!started())
        return false;
    GetWindowRect(child(L"Zon PlayList"), &list);
    return eventually([&] {
        COLORREF c = GetPixel(WindowDc(nullptr), list.left + 4, list.top + 22 + 7);
        return c == RGB(0, 111, 198) || c == RGB(0, 204, 102);
    });
}

bool Player::plays() const {
    if (!listShown())
        return false;
    activate();
    command(CMD_PLAY_PAUSE);
    return true;
}

void Player::restOnSeekBar() const {
    RECT r = windowRect();
    SetCursorPos(r.left + width(r) / 2, r.bottom - 46);
    mouse(MOUSEEVENTF_MOVE, 0, 1);
    mouse(MOUSEEVENTF_MOVE, 0, -1);
    roundTrip();
}

bool Player::showsPicture() const {
    return eventually([&] { return IsWindowVisible(picture()); });
}

namespace {
// Prints the backtrace Wine's debugger gives of each thread of process `pid`. The tests' prefix
// keeps the debugger from starting on crashes, by its name: a copy under another name runs.
void printStacks(DWORD pid) {
    std::wstring folder = freshFolder(L"stacks"), out = folder + L"\\stacks.txt",
                 exe = folder + L"\\stacks.exe";
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    Handle file(
        CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = file;
    std::wstring command = L"stacks --command \"bt all\" " + std::to_wstring(pid);
    PROCESS_INFORMATION debugger = {};
    if (CopyFileW(L"C:\\windows\\system32\\winedbg.exe", exe.c_str(), FALSE) &&
        CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &debugger)) {
        if (WaitForSingleObject(debugger.hProcess, 60000) != WAIT_OBJECT_0)
            TerminateProcess(debugger.hProcess, 1);
        release(debugger);
    }
    file.close();
    char ours[32];
    std::snprintf(ours, sizeof ours, "in process %04lx ", pid);
    std::string text = readFile(out), line;
    bool mine = false; // the lines since the last thread's heading are of the player's threads
    for (std::size_t at = 0; at < text.size(); at += line.size() + 1) {
        line = text.substr(at, text.find('\n', at) - at);
        if (line.rfind("Backtracing for thread ", 0) == 0)
            mine = line.find(ours) != std::string::npos;
        if (mine)
            std::printf("stuck player: %s\n", line.c_str());
    }
    std::fflush(stdout);
}
} // namespace

long Player::close() {
    if (!PostMessageW(main_, WM_CLOSE, 0, 0))
        return -1;
    long code = waitForExit(10000);
    if (code < 0)
        printStacks(process_.dwProcessId);
    return code;
}

long Player::waitForExit(DWORD ms) const {
    return exitCode(process_.hProcess, ms);
}

std::string m3u(const std::vector<std::string>& paths) {
    std::string text = "#EXTM3U";
    for (const std::string& p : paths)
        text += "\r\n" + p;
    return text;
}

std::vector<std::string> pathLines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0, end; at <= text.size(); at = end + 2) {
        end = std::min(text.find("\r\n", at), text.size());
        if (end > at && text[at] != '#')
            out.push_back(text.substr(at, end - at));
    }
    return out;
}

void wheel(int notches, DWORD gap) {
    for (int i = 0; i < std::abs(notches); ++i, Sleep(gap))
        mouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA));
}

std::wstring copyOf(const std::wstring& path, const wchar_t* medium) {
    CopyFileW(mediaPath(medium).c_str(), path.c_str(), FALSE);
    return path;
}

bool answer(HWND dialog, const std::wstring& text, int button) {
    GUITHREADINFO focus = {sizeof focus, 0, {}, {}, {}, {}, {}, {}, {}};
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &focus);
    if (!text.empty())
        SendMessageW(focus.hwndFocus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return eventually([&] { return !IsWindow(dialog); });
}

std::wstring windowText(HWND window) {
    wchar_t text[300] = {};
    SendMessageW(window, WM_GETTEXT, 300, reinterpret_cast<LPARAM>(text));
    return text;
}
