// Starts ZonPlayer.exe from a fresh folder of its own under Wine and finds its windows.
#pragma once
#include "../common/test_files.h"

#include <windows.h>

#include <string>
#include <vector>

// Files to place beside the program before it starts.
struct Beside {
    std::wstring name;
    std::string bytes;
};

class Player {
public:
    Player(const std::string& settings, const std::vector<Beside>& files);
    // Copies the program into a new temporary folder, writes `settings` as its settings file
    // (none when empty), starts it and waits for its main window.
    explicit Player(const std::string& settings = "");
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    bool started() const { return main_ != nullptr; }
    HWND main() const { return main_; }
    HWND child(const wchar_t* className) const;
    // A visible top-level window of the player's process, waited for (a dialog is "#32770").
    HWND topWindow(const wchar_t* className) const;
    // A file beside the program (its settings, its list).
    std::wstring file(const wchar_t* name) const { return folder_ + L"\\" + name; }
    std::wstring settingsPath() const { return file(L"ZonPlayer.ini"); }

    RECT windowRect() const;
    // A child's rectangle in the main window's client coordinates.
    RECT childRect(const wchar_t* className) const;
    // Brings the main window to the front, as a user's click would, so shortcuts are taken.
    void activate() const;
    // Posts a key as the keyboard would (the message loop only pre-translates what it gets).
    void postKey(UINT message, WPARAM key, bool altHeld) const;
    // A sent round trip: everything posted before it has been handled when it returns.
    bool roundTrip() const;
    bool running() const;
    // Waits until the list file beside the program is loaded and shown (a list with entries).
    bool listShown() const;
    // Asks the window to close and returns the exit code, or -1 when the process did not end.
    long close();
    // Ends the process at once, as a crash or the task manager would.
    void kill();
    // Waits for the process to end by itself; its exit code or -1.
    long waitForExit(DWORD ms);
    // Drops files on the main window as the shell does: the drop's memory lives in the player.
    bool dropFiles(const std::vector<std::wstring>& paths) const;
    std::wstring folder() const { return folder_; }

private:
    std::wstring folder_;
    PROCESS_INFORMATION process_ = {};
    HWND main_ = nullptr;
};

// The path lines of a list file, in order.
std::vector<std::string> pathLines(const std::string& text);
std::wstring readSetting(const std::wstring& file, const wchar_t* section, const wchar_t* key);
