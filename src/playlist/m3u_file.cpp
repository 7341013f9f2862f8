#include "app/wide.h"
#include "core/m3u.h"
#include "playlist/playlist.h"

#include <string>

namespace {
void ansiToUtf16(const char* bytes, std::size_t size, std::u16string& out) {
    int n = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), nullptr, 0);
    if (n <= 0)
        return;
    std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), asWide(&out[at]), n);
}

void utf16ToAnsi(const char16_t* text, std::size_t length, std::string& out, bool* lossy) {
    if (length == 0)
        return;
    const wchar_t* wide = asWide(text);
    int count = static_cast<int>(length);
    // A UTF-8 system code page holds every character; the others may not, best fit included.
    bool utf8 = GetACP() == CP_UTF8;
    DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    int n = WideCharToMultiByte(CP_ACP, flags, wide, count, nullptr, 0, nullptr, used);
    if (n <= 0) {
        *lossy = true;
        return;
    }
    std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_ACP, flags, wide, count, &out[at], n, nullptr, used);
    if (usedDefault)
        *lossy = true;
}

const CodePage kSystemCodePage = {ansiToUtf16, utf16ToAnsi};

bool writeAll(HANDLE file, const char* data, std::size_t size) {
    DWORD written = 0;
    return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}
} // namespace

int ReadM3u(const wchar_t* fileName) {
    HANDLE file = CreateFileW(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    // No real list comes near this; a larger file is not read into memory whole.
    constexpr LONGLONG kLargest = 64LL << 20;
    if (size.QuadPart < static_cast<LONGLONG>(kM3uSmallestList) || size.QuadPart > kLargest) {
        CloseHandle(file);
        return 1;
    }
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    BOOL ok = ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    CloseHandle(file);
    if (ok)
        parseM3u(text.data(), got, *activeList, kSystemCodePage);
    return 1;
}

bool WriteM3u() {
    const wchar_t* target = asWide(activeList->fileName);
    if (target[0] == 0)
        return false;
    // The list is written beside the old file and replaces it only once complete, so a full disk
    // or a crash part-way never costs the user the list they had.
    std::wstring temporary = std::wstring(target) + L".saving";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = writeM3u(*activeList, kSystemCodePage,
                       [file](const char* data, std::size_t size) { return writeAll(file, data, size); });
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = MoveFileExW(temporary.c_str(), target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
        DeleteFileW(temporary.c_str());
    return ok;
}
