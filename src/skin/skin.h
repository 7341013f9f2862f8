// The skin bitmaps, the control table and the shared drawing objects.
#pragma once
#include "core/skin_table.h"
#include "core/window_size.h"

#include <windows.h>

struct SkinImage {
    HBITMAP bitmap;
    HDC dc;
    int width;
    int height;
};

extern SkinImage skinButtons, skinPanel, skinBorders, skinScrollBar, skinCaption, skinSeekBar;
extern HBITMAP glyphMask;
extern HDC glyphMaskDc;
extern FrameMetrics frameMetrics;
extern int borderTileHeight;
extern SkinControl controlTable[kControlCount];
extern EdgeRect seekBarRect, statusTextRect;

extern HBRUSH keyBrush, menuBarBrush, listRowBrushA, listRowBrushB, listSelectBrush;
extern HFONT uiFont;
extern HCURSOR arrowCursor;

constexpr COLORREF kKeyColour = RGB(7, 9, 7);

void loadSkin(HINSTANCE instance);
// Registers one of the player's window classes: the arrow cursor, no menu, no extra bytes.
bool registerPlayerClass(HINSTANCE instance, const wchar_t* name, UINT style, WNDPROC procedure,
                         HBRUSH background, HICON icon = nullptr);
