#include "win32/wide.h"
#include "win32/code_page.h"
#include "core/m3u.h"
#include "win32/long_path.h"
#include "playlist/playlist.h"
#include "win32/guards.h"

#include <string>

namespace {
bool ansiToUtf16(const char* bytes, std::size_t size, std::u16string& out) {
    // A byte is at most one UTF-16 unit. Text that is not valid in the code page is converted
    // a second time, as well as the platform can.
    int count = static_cast<int>(size);
    std::size_t at = out.size();
    out.resize(at + size);
    wchar_t* target = asWide(&out[at]);
    int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, count, target, count);
    bool valid = n > 0;
    if (!valid)
        n = MultiByteToWideChar(CP_ACP, 0, bytes, count, target, count);
    out.resize(at + static_cast<std::size_t>(n > 0 ? n : 0));
    return valid;
}

void utf16ToAnsi(const char16_t* text, std::size_t length, std::string& out, bool* lossy) {
    // A UTF-8 system code page holds every character; the others may not, and a character they
    // would write as a look-alike makes the list lossy, so that it is written as UTF-8 instead.
    if (GetACP() == CP_UTF8) {
        utf16ToUtf8(text, length, out);
        return;
    }
    static const CodePageEncoder encoder;
    if (!encoder.append(text, length, out))
        *lossy = true;
}

const CodePage kSystemCodePage = {ansiToUtf16, utf16ToAnsi};

// Far beyond any real list (some two million entries); a larger file is kept as it is, unread.
constexpr LONGLONG kLargestListFile = 256LL << 20;

// The folder a list's relative entries are written against: the list file's own, as a full path.
std::u16string listFolder(const wchar_t* fileName) {
    std::wstring full = fullPath(fileName);
    std::size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::u16string() : std::u16string(asU16(full.c_str()), slash + 1);
}

bool writeAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
} // namespace

ListFileRead ReadM3u(const wchar_t* fileName) {
    std::wstring name = extendedPath(fileName);
    Handle file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.valid()) {
        DWORD error = GetLastError();
        return {error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND, false};
    }
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kLargestListFile;
    std::string text;
    if (ok) {
        text.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD got = 0;
        ok =
            ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr) && got == text.size();
    }
    file.close();
    if (!ok)
        return {true, false};
    M3uRead read = parseM3u(text.data(), text.size(), *activeList, kSystemCodePage,
                            isUtf8ListFileName(asU16(fileName)), listFolder(fileName));
    return {true, read.whole};
}

std::string listFileText(const Playlist& list, const wchar_t* fileName) {
    return m3uText(list, kSystemCodePage, isUtf8ListFileName(asU16(fileName)));
}

bool replaceListFile(const std::wstring& target, const std::string& bytes) {
    // The list is written beside the old file and replaces it only once complete, so a full disk
    // or a crash part-way never costs the user the list they had.
    std::wstring finalName = extendedPath(target);
    std::wstring temporary = extendedPath(target + L".saving");
    Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    bool ok = writeAll(file, bytes);
    ok = FlushFileBuffers(file) && ok;
    ok = file.close() && ok;
    if (ok)
        ok = MoveFileExW(temporary.c_str(), finalName.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
        DeleteFileW(temporary.c_str());
    return ok;
}

bool WriteM3u() {
    if (activeList->fileName.empty())
        return false;
    const wchar_t* target = asWide(activeList->fileName.c_str());
    return replaceListFile(target, listFileText(*activeList, target));
}
