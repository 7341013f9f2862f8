#include "support.h"

#include "playlist/playlist.h"
#include "win32/wide.h"

#include <algorithm>
#include <cstdlib>

COLORREF Capture::at(int x, int y) const {
    unsigned c = pixels[static_cast<std::size_t>(y) * width + x];
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

Capture capture(HWND window, bool wholeWindow) {
    RECT r;
    if (wholeWindow) {
        GetWindowRect(window, &r);
        OffsetRect(&r, -r.left, -r.top);
    } else {
        GetClientRect(window, &r);
    }
    Capture c;
    c.width = r.right;
    c.height = r.bottom;
    if (c.width <= 0 || c.height <= 0)
        return c;
    HDC dc = wholeWindow ? GetWindowDC(window) : GetDC(window);
    HDC mem = CreateCompatibleDC(dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = -c.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, c.width, c.height, dc, 0, 0, SRCCOPY);
    GdiFlush();
    c.pixels.assign(static_cast<const unsigned*>(bits),
                    static_cast<const unsigned*>(bits) + c.width * c.height);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(window, dc);
    return c;
}

int pictureContrast(HWND window) {
    Capture c = capture(window, false);
    int best = 0;
    for (int y = 0; y < c.height; y += 4)
        for (int x = 0; x < c.width; x += 4) {
            COLORREF p = c.at(x, y);
            best = std::max(
                {best, std::abs(GetRValue(p) - 7), std::abs(GetGValue(p) - 9), std::abs(GetBValue(p) - 7)});
        }
    return best;
}

std::vector<std::wstring> listPaths() {
    std::vector<std::wstring> out;
    for (const auto& e : activeList->entries)
        out.push_back(asWide(e->path.c_str()));
    return out;
}
