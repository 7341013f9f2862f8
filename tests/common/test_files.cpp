#include "test_files.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <shlobj.h>

std::wstring pathFromEnvironment(const wchar_t* variable) {
    wchar_t value[MAX_PATH] = {};
    GetEnvironmentVariableW(variable, value, MAX_PATH);
    std::wstring p = value;
    std::replace(p.begin(), p.end(), L'/', L'\\');
    return !p.empty() && p[0] == L'\\' ? L"Z:" + p : p;
}

std::wstring freshFolder(const wchar_t* tag) {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"zon-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) +
                          L"-" + std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring mediaCopy(const wchar_t* name, const wchar_t* newName) {
    std::wstring target = freshFolder(L"media") + L"\\" + newName;
    CopyFileW(mediaPath(name).c_str(), target.c_str(), FALSE);
    return target;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::string readFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(missing)";
}

std::string ansi(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

void mouse(DWORD flags, DWORD data, LONG dx) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi = {dx, 0, data, flags, 0, 0};
    SendInput(1, &input, sizeof input);
}

void handleQueued() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void pumpMessages(DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms;
         MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT))
        handleQueued();
}

void* copyInto(HANDLE process, const void* bytes, std::size_t size) {
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    return remote != nullptr && WriteProcessMemory(process, remote, bytes, size, nullptr) ? remote : nullptr;
}

bool dropOn(HANDLE process, HWND window, const std::vector<std::wstring>& paths) {
    std::wstring names;
    for (const std::wstring& p : paths)
        names += p + L'\0';
    names += L'\0';
    DROPFILES header = {sizeof(DROPFILES), {}, FALSE, TRUE};
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
    // Fixed global memory is addressed by its pointer, so a block in the other process's address
    // space serves as the drop handle there.
    void* remote = copyInto(process, block.data(), block.size());
    return remote != nullptr && PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

StandInLog::StandInLog(const wchar_t* variable) : path_(freshFolder(L"calls") + L"\\calls.log") {
    SetEnvironmentVariableW(variable, path_.c_str());
}

std::vector<std::string> StandInLog::lines() const {
    std::vector<std::string> lines;
    std::ifstream file(std::filesystem::path(path_), std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(file), {});
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, std::min(text.find('\r', at), end) - at));
    }
    return lines;
}

bool StandInLog::has(const std::string& line) const {
    return count(line) > 0;
}

std::size_t StandInLog::count(const std::string& line) const {
    std::vector<std::string> all = lines();
    return static_cast<std::size_t>(std::count(all.begin(), all.end(), line));
}

std::vector<std::string> StandInLog::after(const std::string& line) const {
    std::vector<std::string> all = lines();
    auto last = std::find(all.rbegin(), all.rend(), line);
    return std::vector<std::string>(last.base(), all.end());
}
