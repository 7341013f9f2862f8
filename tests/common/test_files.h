// Helpers of every Windows test program: generated media, fresh folders, files, waiting.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The Windows path of a Unix path that an environment variable names (Wine's Z: drive).
std::wstring pathFromEnvironment(const wchar_t* variable);
// A Windows path of a generated medium (ZON_MEDIA names its Unix folder).
inline std::wstring mediaPath(const wchar_t* name) {
    return pathFromEnvironment(L"ZON_MEDIA") + L"\\" + name;
}
// A new empty folder under the temporary folder. Process ids come round again from run to run
// under Wine, so the tick count keeps folders of different runs apart.
std::wstring freshFolder(const wchar_t* tag);
// A copy of a generated medium under another name in a fresh folder.
std::wstring mediaCopy(const wchar_t* name, const wchar_t* newName);
void writeFile(const std::wstring& path, const std::string& bytes);
// A file's bytes, or "(missing)".
std::string readFile(const std::wstring& path);
// 8-bit text of a wide text in the system code page.
std::string ansi(const std::wstring& text);

// The log a stand-in COM server writes, a line a call, to the file the environment variable
// `variable` names: a fresh one for each object, read afresh on each question.
class StandInLog {
public:
    explicit StandInLog(const wchar_t* variable);
    std::vector<std::string> lines() const;
    bool has(const std::string& line) const;
    std::size_t count(const std::string& line) const;
    // The lines after the last `line` (all of them when it is not there).
    std::vector<std::string> after(const std::string& line) const;

private:
    std::wstring path_;
};

// A copy of `size` bytes in another process's memory (what its windows are handed must live there).
void* copyInto(HANDLE process, const void* bytes, std::size_t size);
// Drops files on a window of another process as the shell does: the drop's memory lives there.
bool dropOn(HANDLE process, HWND window, const std::vector<std::wstring>& paths);

// The system's mouse input, as a hand makes it: a move by dx, a wheel turn, a button.
void mouse(DWORD flags, DWORD data = 0, LONG dx = 0);

// Handles the messages already queued for this thread, and returns.
void handleQueued();
// Handles this thread's messages for about `ms` milliseconds.
void pumpMessages(DWORD ms);
// Waits (handling messages) until done() holds or `ms` pass; returns done().
template <class F> bool eventually(F done, DWORD ms = 4000) {
    for (DWORD start = GetTickCount(); !done(); pumpMessages(10))
        if (GetTickCount() - start > ms)
            return false;
    return true;
}
