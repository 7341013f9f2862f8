// Starts ZonPlayer.exe from a fresh folder of its own under Wine, finds its windows and drives it.
#pragma once
#include "../common/test_files.h"
#include "core/command_ids.h"

#include <string>
#include <vector>

// A file to place beside the program before it starts: its name and its bytes.
using Beside = std::pair<std::wstring, std::string>;
using Lines = std::vector<std::string>;
// Settings under which Play starts the list's first entry.
constexpr char kFirstPlays[] = "[PLAYLIST]\r\nIndex=0\r\n";

// How the program is started, beyond its settings and files.
struct Start {
    std::wstring arguments = {};              // the command line after the program's name
    std::wstring folder = {};                 // the program's folder (a restart); a fresh one when empty
    std::vector<std::wstring> alongside = {}; // more starts at the same moment, with these arguments
};

class Player {
public:
    // Copies the program into its folder, writes `settings` as its settings file (none when empty)
    // and `files` beside it, starts it (and the starts alongside) and waits for the player's window.
    explicit Player(const std::string& settings = "", const std::vector<Beside>& files = {},
                    const Start& start = {});
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    bool started() const { return main_ != nullptr; }
    HWND main() const { return main_; }
    HANDLE process() const { return process_.hProcess; }
    HWND child(const wchar_t* className) const { return FindWindowExW(main_, nullptr, className, nullptr); }
    HWND list() const { return child(L"Zon PlayList"); }
    RECT display() const { return childRect(L"Zon Display"); }
    // The renderer's own window in the display, there while a picture shows (Wine has no windowless one).
    HWND picture() const { return FindWindowExW(child(L"Zon Display"), nullptr, nullptr, nullptr); }
    // A visible top-level window of the player's process, waited for (a dialog is "#32770").
    HWND topWindow(const wchar_t* className) const;
    // The program started once more from its folder; its exit code, or -1 when it runs on past `ms`.
    long startAgain(const std::wstring& arguments, DWORD ms = 10000) const;
    // Waits for the other starts to end: how many ended with 0, or -1 when one ran on past `ms`.
    int othersEnded(DWORD ms = 15000) const;
    // Files beside the program: its list and its settings.
    std::wstring file(const wchar_t* name) const { return folder_ + L"\\" + name; }
    std::string listFile() const { return readFile(file(L"default.m3u")); }
    std::wstring setting(const wchar_t* section, const wchar_t* key) const;
    std::wstring index() const { return setting(L"PLAYLIST", L"Index"); }

    RECT windowRect() const;
    // A child's rectangle in the main window's client coordinates.
    RECT childRect(const wchar_t* className) const;
    // Sends a command to the main window, or to `to`.
    void command(WORD id, HWND to = nullptr) const { SendMessageW(to ? to : main_, WM_COMMAND, id, 0); }
    // The mouse over a window point: the frame's hit test learns where it is.
    void pointAt(POINT at) const;
    // A left click there (or a double click's second press).
    void click(POINT at, UINT down = WM_LBUTTONDOWN) const;
    // Brings the main window to the front, as a user's click would, so shortcuts are taken.
    void activate() const;
    // Posts a key as the keyboard would (the message loop only pre-translates what it gets).
    void postKey(UINT message, WPARAM key, bool altHeld = false) const;
    // A sent round trip: everything posted before it has been handled when it returns.
    bool roundTrip(DWORD ms = 5000) const;
    // Waits until the list file beside the program is loaded and shown (a list with entries).
    bool listShown() const;
    // Once the list shows, brings the window to the front and presses Play.
    bool plays() const;
    // The real pointer comes to rest on the middle of the seek bar, moving as a hand does.
    void restOnSeekBar() const;
    // Waits until done() holds or `ms` pass, probing the window all along: a probe it does not
    // answer within a second counts in unanswered().
    template <class F> bool answering(F done, DWORD ms = 5000) const {
        return eventually(
            [&] {
                unanswered_ += roundTrip(1000) ? 0 : 1;
                return done();
            },
            ms);
    }
    int unanswered() const { return unanswered_; }
    // Waits until the playing file is open and its picture shown.
    bool showsPicture() const;
    // Asks the window to close and returns the exit code, or -1 when the process did not end (and
    // then prints where its threads wait).
    long close();
    // Waits for the process to end by itself; its exit code or -1.
    long waitForExit(DWORD ms) const;
    // Drops files on the main window as the shell does: the drop's memory lives in the player.
    bool dropFiles(const std::vector<std::wstring>& paths) const { return dropOn(process(), main_, paths); }

private:
    std::wstring folder_;
    PROCESS_INFORMATION process_ = {};
    std::vector<PROCESS_INFORMATION> others_; // starts alongside that did not become the player
    HWND main_ = nullptr;
    mutable int unanswered_ = 0;
};

inline int width(const RECT& r) {
    return r.right - r.left;
}
inline int height(const RECT& r) {
    return r.bottom - r.top;
}
// The system's wheel turned by `notches` (back when negative), `gap` ms apart.
void wheel(int notches, DWORD gap = 0);
// A copy of a generated medium at `path` (silent640.avi is the one that widens the picture to 640).
std::wstring copyOf(const std::wstring& path, const wchar_t* medium = L"silent320.avi");
// Types `text` into the focused box of a dialog (a file dialog's name box has the focus as it
// opens), presses the button and waits for the dialog to go.
bool answer(HWND dialog, const std::wstring& text = L"", int button = IDOK);
// A window's text, asked of the window itself (another process's control tells it no other way).
std::wstring windowText(HWND window);
// An extended M3U list of these paths, as the player writes it.
std::string m3u(const std::vector<std::string>& paths);
// The path lines of a list file, in order (lines end in CR LF).
std::vector<std::string> pathLines(const std::string& text);
