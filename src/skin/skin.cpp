#include "skin/skin.h"

#include "core/command_ids.h"

SkinImage skinButtons, skinPanel, skinBorders, skinScrollBar, skinCaption, skinSeekBar;
HBITMAP glyphMask;
HDC glyphMaskDc;
// The built-in skin's frame until loadSkin measures the bitmaps.
FrameMetrics frameMetrics = {26, 50, 7, 7};
int borderTileHeight = 14;
SkinControl controlTable[kControlCount];
EdgeRect seekBarRect, statusTextRect;

// Created once before the entry point runs, kept until the process ends.
HBRUSH keyBrush = CreateSolidBrush(kKeyColour);
HBRUSH menuBarBrush = CreateSolidBrush(RGB(0, 102, 187));
HBRUSH listRowBrushA = CreateSolidBrush(RGB(0, 111, 198));
HBRUSH listRowBrushB = CreateSolidBrush(RGB(0, 96, 182));
HBRUSH listSelectBrush = CreateSolidBrush(RGB(0, 204, 102));
HFONT uiFont = CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"宋体");
HCURSOR arrowCursor = LoadCursorW(nullptr, IDC_ARROW);

namespace {
SkinImage loadImage(HINSTANCE instance, int id) {
    SkinImage image = {};
    image.bitmap = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
    image.dc = CreateCompatibleDC(nullptr);
    if (image.bitmap != nullptr) {
        SelectObject(image.dc, image.bitmap);
        BITMAP info = {};
        GetObjectW(image.bitmap, sizeof info, &info);
        image.width = info.bmWidth;
        image.height = info.bmHeight;
    }
    return image;
}

// One bit per pixel of the scroll-bar cells: 1 where the cell is magenta (transparent).
void buildGlyphMask() {
    glyphMask = CreateBitmap(skinScrollBar.width, skinScrollBar.height, 1, 1, nullptr);
    glyphMaskDc = CreateCompatibleDC(nullptr);
    SelectObject(glyphMaskDc, glyphMask);
    COLORREF old = SetBkColor(skinScrollBar.dc, RGB(255, 0, 255));
    BitBlt(glyphMaskDc, 0, 0, skinScrollBar.width, skinScrollBar.height, skinScrollBar.dc, 0, 0, SRCCOPY);
    SetBkColor(skinScrollBar.dc, old);
}
} // namespace

void loadSkin(HINSTANCE instance) {
    skinPanel = loadImage(instance, IDB_PANEL);
    frameMetrics.panelHeight = skinPanel.height;
    skinBorders = loadImage(instance, IDB_BORDERS);
    borderTileHeight = skinBorders.height;
    frameMetrics.leftBorder = skinBorders.width / 2;
    frameMetrics.rightBorder = skinBorders.width / 2;
    skinCaption = loadImage(instance, IDB_CAPTION);
    frameMetrics.captionHeight = skinCaption.height;
    skinButtons = loadImage(instance, IDB_BUTTONS);
    skinSeekBar = loadImage(instance, IDB_SEEKBAR);
    skinScrollBar = loadImage(instance, IDB_SCROLLBAR);
    buildGlyphMask();
    fillControlTable(controlTable, false);
    seekBarRect = kSeekBarRect;
    statusTextRect = kStatusTextRect;
}

bool registerPlayerClass(HINSTANCE instance, const wchar_t* name, UINT style, WNDPROC procedure,
                         HBRUSH background, HICON icon) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = arrowCursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
