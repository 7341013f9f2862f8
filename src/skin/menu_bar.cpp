#include "skin/menu_bar.h"

#include "core/menu_strip.h"
#include "skin/skin.h"
#include "win32/guards.h"

#include <string>
#include <vector>

int menuOpenItem = -1;
POINT popupAnchor;

namespace {
constexpr COLORREF kLightLine = RGB(0, 170, 255);
constexpr COLORREF kDarkLine = RGB(0, 51, 204);
constexpr int kItemText = 100;

struct Items {
    std::vector<std::wstring> texts;
    std::vector<int> widths;
};

// The top-level texts exactly as stored (the mnemonic ampersand counts) and their widths in uiFont.
Items measure(HMENU menu, HDC dc) {
    Items items;
    Selection font(dc, uiFont);
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[kItemText] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, kItemText, MF_BYPOSITION);
        SIZE size = {};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        items.texts.push_back(text);
        items.widths.push_back(size.cx);
    }
    return items;
}

void line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2) {
    SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}
} // namespace

void drawMenuBar(HMENU menu, int hotItem, const RECT& client, HDC dc) {
    int width = client.right - client.left;
    if (width <= 0 || menu == nullptr)
        return;
    // The pens outlive the context they are selected into, which gives its own pen back first.
    GdiObject<HPEN> light(CreatePen(PS_SOLID, 1, kLightLine)), dark(CreatePen(PS_SOLID, 1, kDarkLine));
    OffScreen mem(dc, width, kMenuStripHeight);
    Selection pen(mem, light);
    RECT strip = {0, 0, width, kMenuStripHeight};
    FillRect(mem, &strip, menuBarBrush);
    line(mem, light, 0, 21, width, 21);
    line(mem, light, 0, 19, width, 19);
    line(mem, dark, 0, 20, width, 20);
    SetTextColor(mem, RGB(255, 255, 255));
    SetBkMode(mem, TRANSPARENT);
    Selection font(mem, uiFont);
    Items items = measure(menu, mem);
    std::vector<MenuBox> boxes(items.widths.size());
    int shown =
        layoutMenuStrip(items.widths.data(), static_cast<int>(items.widths.size()), width, boxes.data());
    for (int i = 0; i < shown; ++i) {
        const MenuBox& b = boxes[static_cast<std::size_t>(i)];
        if (i == hotItem) {
            bool sunken = i == menuOpenItem;
            SelectObject(mem, sunken ? dark : light);
            MoveToEx(mem, b.left, kMenuBoxBottom, nullptr);
            LineTo(mem, b.left, 0);
            LineTo(mem, b.right, 0);
            SelectObject(mem, sunken ? light : dark);
            LineTo(mem, b.right, kMenuBoxBottom);
            LineTo(mem, b.left, kMenuBoxBottom);
        }
        RECT box = {b.left, 0, b.right, kMenuBoxBottom};
        DrawTextW(mem, items.texts[static_cast<std::size_t>(i)].c_str(), -1, &box,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    BitBlt(dc, client.left, client.top, width, kMenuStripHeight, mem, 0, 0, SRCCOPY);
}

int menuItemAt(int y, HMENU menu, int x, const RECT& client) {
    if (menu == nullptr)
        return -1;
    Items items = measure(menu, MemoryDc(nullptr));
    int anchor = 0;
    int item = menuItemAtPoint(items.widths.data(), static_cast<int>(items.widths.size()), client.left,
                               client.top, client.right, x, y, &anchor);
    if (item >= 0)
        popupAnchor = {anchor, client.top + kMenuAnchorDrop};
    return item;
}

BOOL runMenuPopup(HWND window, HMENU submenu, int item, void (*repaint)()) {
    menuOpenItem = item;
    repaint();
    POINT at = popupAnchor;
    ClientToScreen(window, &at);
    BOOL result = TrackPopupMenu(submenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0,
                                 window, nullptr);
    menuOpenItem = -1;
    return result;
}
