#include "test_files.h"

#include <atomic>

std::wstring pathFromEnvironment(const wchar_t* variable) {
    wchar_t value[MAX_PATH] = {};
    GetEnvironmentVariableW(variable, value, MAX_PATH);
    std::wstring p = value;
    for (wchar_t& c : p)
        if (c == L'/')
            c = L'\\';
    return !p.empty() && p[0] == L'\\' ? L"Z:" + p : p;
}

std::wstring mediaPath(const wchar_t* name) {
    return pathFromEnvironment(L"ZON_MEDIA") + L"\\" + name;
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
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(f);
}

std::string readFile(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "(missing)";
    LARGE_INTEGER size = {};
    GetFileSizeEx(f, &size);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD n = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(f);
    bytes.resize(n);
    return bytes;
}

std::string ansi(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

void pumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}
