#include "engine/snapshot.h"

#include "core/bitmap_file.h"
#include "engine/media.h"
#include "engine/medium.h"
#include "engine/renderer.h"
#include "win32/guards.h"
#include "win32/long_path.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

namespace {
using Bytes = std::vector<std::uint8_t>;

// The packed bitmap at the start of `dib`, cut to what its header claims; empty when the block
// does not hold it all.
Bytes whole(Bytes dib) {
    dib.resize(packedBitmapBytes(dib.data(), dib.size()));
    return dib;
}

// The windowless renderer's own copy of its picture, no more of it read than the block holds.
Bytes fromWindowless(MediaContext& m) {
    BYTE* block = nullptr;
    if (!m.windowless || FAILED(m.windowless->GetCurrentImage(&block)) || block == nullptr)
        return {};
    ComPtr<IMalloc> allocator;
    SIZE_T size = SUCCEEDED(CoGetMalloc(1, &allocator)) ? allocator->GetSize(block) : 0;
    Bytes dib = size == static_cast<SIZE_T>(-1) ? Bytes() : Bytes(block, block + size);
    CoTaskMemFree(block);
    return whole(std::move(dib));
}

// The graph's renderer hands its current picture over only while paused, so a running graph is
// paused for the moment it takes. Some renderers cannot tell the size first; the largest picture
// of the native size is asked for then.
Bytes fromBasicVideo(MediaContext& m, int width, int height) {
    ComPtr<IBasicVideo> basic;
    if (!m.graph || FAILED(m.graph.queryInterface(basic)) || width <= 0 || height <= 0)
        return {};
    OAFilterState state = State_Stopped;
    bool wasRunning = m.control && SUCCEEDED(m.control->GetState(0, &state)) && state == State_Running;
    if (wasRunning) {
        m.control->Pause();
        m.control->GetState(1000, &state);
    }
    long size = 0;
    if (FAILED(basic->GetCurrentImage(&size, nullptr)) || size <= 0)
        size = static_cast<long>(sizeof(BITMAPINFOHEADER) + 1024 + 4LL * width * height);
    Bytes dib(static_cast<std::size_t>(size));
    long given = size;
    HRESULT hr = basic->GetCurrentImage(&given, reinterpret_cast<long*>(dib.data()));
    if (wasRunning)
        m.control->Run();
    if (FAILED(hr) || given < static_cast<long>(sizeof(BITMAPINFOHEADER)) || given > size)
        return {};
    dib.resize(static_cast<std::size_t>(given));
    PackedBitmap facts = packedBitmapOf(dib.data());
    if (facts.compression != kFourCcYv12)
        return whole(std::move(dib));
    if (facts.headerSize < sizeof(BITMAPINFOHEADER) || facts.headerSize > dib.size())
        return {};
    return packedBitmapOfYv12(dib.data() + facts.headerSize, dib.size() - facts.headerSize, facts.width,
                              facts.height < 0 ? -facts.height : facts.height);
}

// What the picture window shows on the screen, as 32-bit rows.
Bytes fromScreen() {
    RECT r = {};
    if (engineVideoWindow == nullptr || !GetWindowRect(engineVideoWindow, &r) || r.right <= r.left ||
        r.bottom <= r.top)
        return {};
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof h;
    h.biWidth = r.right - r.left;
    h.biHeight = r.bottom - r.top;
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biSizeImage = static_cast<DWORD>(4 * h.biWidth * h.biHeight);
    Bytes dib(sizeof h + h.biSizeImage);
    std::memcpy(dib.data(), &h, sizeof h);
    WindowDc screen(nullptr);
    MemoryDc memory(screen);
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&h), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits == nullptr)
        return {};
    {
        Selection chosen(memory, bitmap);
        BitBlt(memory, 0, 0, h.biWidth, h.biHeight, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    std::memcpy(dib.data() + sizeof h, bits, h.biSizeImage);
    return dib;
}

Bytes currentPicture(MediaContext& m, int width, int height) {
    if (Bytes dib = fromWindowless(m); !dib.empty())
        return dib;
    if (Bytes dib = fromBasicVideo(m, width, height); !dib.empty())
        return dib;
    return fromScreen();
}

void writePicture(MediaContext& m, const std::wstring& path, int width, int height) {
    Bytes dib = currentPicture(m, width, height);
    if (dib.empty())
        return;
    Bytes file = bitmapFileHeader(bitmapFileLayout(packedBitmapOf(dib.data())));
    file.insert(file.end(), dib.begin(), dib.end());
    std::wstring target = extendedPath(path);
    Handle out(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.valid())
        return;
    DWORD written = 0;
    bool whole = WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
                 written == file.size();
    if (!out.close() || !whole)
        DeleteFileW(target.c_str()); // half a picture is no picture
}
} // namespace

bool snapshotPossible() {
    // A renderer that holds a picture: the windowless one, or a file graph's own video window.
    return !media.opening && (media.windowless || (media.kind == MediaKind::File && media.videoWindow));
}

void writeSnapshot(const wchar_t* path) {
    if (!snapshotPossible())
        return;
    std::wstring file(path);
    int width = nativeWidth, height = nativeHeight;
    toMedium([file, width, height](MediaSession&, MediaContext& m) { writePicture(m, file, width, height); });
}

void saveSnapshot() {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = engineNotifyWindow;
    dialog.lpstrFilter = L"*.bmp\0*.bmp\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"bmp";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_READONLY; // no overwrite prompt
    if (GetSaveFileNameW(&dialog))
        writeSnapshot(path);
}
