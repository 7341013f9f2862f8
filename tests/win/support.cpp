#include "support.h"

#include "win32/wide.h"
#include "playlist/playlist.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

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

namespace {
std::wstring toWindowsPath(const std::wstring& unix) {
    std::wstring p = unix;
    for (wchar_t& c : p)
        if (c == L'/')
            c = L'\\';
    return p.size() > 0 && p[0] == L'\\' ? L"Z:" + p : p;
}
} // namespace

std::wstring mediaPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ZON_MEDIA", folder, MAX_PATH);
    return toWindowsPath(folder) + L"\\" + name;
}

std::wstring mediaCopy(const wchar_t* name, const wchar_t* newName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    std::wstring folder = std::wstring(temp) + L"zon-win-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++);
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring target = folder + L"\\" + newName;
    CopyFileW(mediaPath(name).c_str(), target.c_str(), FALSE);
    return target;
}

int pictureContrast(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    int w = r.right, h = r.bottom;
    if (w <= 0 || h <= 0)
        return 0;
    HDC dc = GetDC(window);
    HDC mem = CreateCompatibleDC(dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    GdiFlush();
    int best = 0;
    const unsigned* px = static_cast<const unsigned*>(bits);
    for (int y = 0; y < h; y += 4)
        for (int x = 0; x < w; x += 4) {
            unsigned c = px[y * w + x];
            int r8 = (c >> 16) & 0xFF, g8 = (c >> 8) & 0xFF, b8 = c & 0xFF;
            int fromKey = std::max({std::abs(r8 - 7), std::abs(g8 - 9), std::abs(b8 - 7)});
            best = std::max(best, fromKey);
        }
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(window, dc);
    return best;
}

std::vector<std::wstring> listPaths() {
    std::vector<std::wstring> out;
    for (int i = 0; i < activeList->count(); ++i)
        out.push_back(asWide(activeList->entries[i]->path.c_str()));
    return out;
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
    std::string bytes(1 << 20, '\0');
    DWORD n = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(f);
    bytes.resize(n);
    return bytes;
}
