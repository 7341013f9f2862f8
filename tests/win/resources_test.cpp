// The compiled resources as the program loads them: the dialogs, and the compressed skin bitmaps.
#include "support.h"

#include "core/command_ids.h"
#include "skin/skin.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
HINSTANCE self() {
    return GetModuleHandleW(nullptr);
}

TEST(Resources, DialogsHaveTheirControls) {
    struct Case {
        int id;
        const wchar_t* title;
        std::vector<int> controls;
    } cases[] = {{IDD_RENAME, L"重命名", {IDC_RENAME_EDIT, IDOK, IDCANCEL}},
                 {IDD_LANGUAGES,
                  L"默认语言设置",
                  {IDC_AUDIO_LANGUAGE, IDC_SUBTITLE_LANGUAGE, IDC_MENU_LANGUAGE, IDOK, IDCANCEL}},
                 {IDD_ABOUT, L"关于 ZonPlayer", {IDOK}}};
    for (const Case& c : cases) {
        HWND dialog = CreateDialogParamW(self(), MAKEINTRESOURCEW(c.id), nullptr, nullptr, 0);
        ASSERT_NE(dialog, nullptr) << c.id;
        wchar_t title[64] = {};
        GetWindowTextW(dialog, title, 64);
        EXPECT_STREQ(title, c.title);
        for (int control : c.controls)
            EXPECT_NE(GetDlgItem(dialog, control), nullptr) << "dialog " << c.id << " control " << control;
        DestroyWindow(dialog);
    }
}

COLORREF pixel(const SkinImage& image, int x, int y) {
    return GetPixel(image.dc, x, y);
}

TEST(Resources, CompressedBitmapsDecodeWithTheirKeyColours) {
    // Glyph cells stand on magenta; the button sheet's unused corner is the key colour.
    EXPECT_EQ(pixel(skinScrollBar, 0, 6 * 15), RGB(255, 0, 255));
    EXPECT_EQ(pixel(skinScrollBar, 14, 15 * 15 + 14), RGB(255, 0, 255));
    EXPECT_NE(pixel(skinScrollBar, 7, 6 * 15 + 7), RGB(255, 0, 255)) << "the up arrow itself";
    EXPECT_EQ(pixel(skinButtons, 215, 119), RGB(7, 9, 7));
    EXPECT_EQ(pixel(skinButtons, 130, 3 * 22 + 5), RGB(7, 9, 7)) << "the mute button has no disabled image";
    // The glyph mask is set exactly where the cells are magenta.
    for (int y = 90; y < 240; y += 3)
        for (int x = 0; x < 15; x += 2)
            EXPECT_EQ(GetPixel(glyphMaskDc, x, y) != 0, pixel(skinScrollBar, x, y) == RGB(255, 0, 255))
                << x << "," << y;
}
} // namespace
