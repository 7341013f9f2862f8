#include "engine/snapshot.h"

#include "core/bitmap_file.h"
#include "engine/media.h"
#include "engine/renderer.h"
#include "win32/guards.h"
#include "win32/long_path.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

namespace {
using Bytes = std::vector<std::uint8_t>;

PackedBitmap factsOf(const Bytes& dib) {
    BITMAPINFOHEADER h = {};
    std::memcpy(&h, dib.data(), sizeof h);
    return {h.biSize, h.biWidth, h.biHeight, h.biBitCount, h.biCompression, h.biSizeImage, h.biClrUsed};
}

// The packed bitmap's bytes the file takes, or 0 when the block is too short for what it says.
std::size_t usedBytes(const Bytes& dib) {
    if (dib.size() < sizeof(BITMAPINFOHEADER))
        return 0;
    BitmapFileLayout layout = bitmapFileLayout(factsOf(dib));
    std::size_t used = static_cast<std::size_t>(layout.pixelOffset) - 14 + layout.pixelBytes;
    return used <= dib.size() && layout.pixelBytes > 0 ? used : 0;
}

// The windowless renderer's own copy of its picture.
Bytes fromWindowless() {
    BYTE* block = nullptr;
    if (!media.windowless || FAILED(media.windowless->GetCurrentImage(&block)) || block == nullptr)
        return {};
    // The block says its own size; it is read header first so that nothing past it is touched.
    Bytes header(block, block + sizeof(BITMAPINFOHEADER));
    BitmapFileLayout layout = bitmapFileLayout(factsOf(header));
    Bytes dib(block, block + (layout.pixelOffset - 14 + layout.pixelBytes));
    CoTaskMemFree(block);
    return dib;
}

// The graph's renderer hands its current picture over only while paused, so a running graph is
// paused for the moment it takes. Some renderers cannot tell the size first; the largest picture
// of the native size is asked for then.
Bytes fromBasicVideo() {
    ComPtr<IBasicVideo> basic;
    if (!media.graph || FAILED(media.graph.queryInterface(basic)) || nativeWidth <= 0 || nativeHeight <= 0)
        return {};
    OAFilterState state = State_Stopped;
    bool wasRunning =
        media.control && SUCCEEDED(media.control->GetState(0, &state)) && state == State_Running;
    if (wasRunning) {
        media.control->Pause();
        media.control->GetState(1000, &state);
    }
    long size = 0;
    if (FAILED(basic->GetCurrentImage(&size, nullptr)) || size <= 0)
        size = static_cast<long>(sizeof(BITMAPINFOHEADER) + 1024 + 4LL * nativeWidth * nativeHeight);
    Bytes dib(static_cast<std::size_t>(size));
    HRESULT hr = basic->GetCurrentImage(&size, reinterpret_cast<long*>(dib.data()));
    if (wasRunning)
        media.control->Run();
    if (FAILED(hr) || size < static_cast<long>(sizeof(BITMAPINFOHEADER)))
        return {};
    dib.resize(static_cast<std::size_t>(size));
    PackedBitmap facts = factsOf(dib);
    if (facts.compression == kFourCcYv12)
        return packedBitmapOfYv12(dib.data() + facts.headerSize, dib.size() - facts.headerSize, facts.width,
                                  facts.height < 0 ? -facts.height : facts.height);
    return dib;
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

Bytes currentPicture() {
    for (Bytes (*take)() : {fromWindowless, fromBasicVideo, fromScreen}) {
        Bytes dib = take();
        if (usedBytes(dib) > 0)
            return dib;
    }
    return {};
}
} // namespace

bool snapshotPossible() {
    // A renderer that holds a picture: the windowless one, or a graph's own video window.
    return media.windowless || (media.graph && !media.dvdControl && media.videoWindow);
}

bool writeSnapshot(const wchar_t* path) {
    if (!snapshotPossible())
        return false;
    Bytes dib = currentPicture();
    std::size_t used = usedBytes(dib);
    if (used == 0)
        return false;
    Bytes file = bitmapFileHeader(bitmapFileLayout(factsOf(dib)));
    file.insert(file.end(), dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(used));
    std::wstring target = extendedPath(path);
    Handle out(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.valid())
        return false;
    DWORD written = 0;
    bool whole = WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
                 written == file.size();
    whole = out.close() && whole;
    if (!whole)
        DeleteFileW(target.c_str()); // half a picture is no picture
    return whole;
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
