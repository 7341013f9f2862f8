// The compiled resources: menus, strings, dialogs and the skin bitmaps as the program loads them.
#include "support.h"

#include "core/command_ids.h"
#include "skin/skin.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// One menu level written out as text: "text=id", "-" for a separator, "text>" then "[...]" for a
// submenu, so that a whole menu compares as one string.
std::wstring describe(HMENU menu) {
    std::wstring out;
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 127;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        if (!out.empty())
            out += L"|";
        if (info.fType & MFT_SEPARATOR)
            out += L"-";
        else if (info.hSubMenu != nullptr)
            out += std::wstring(text) + L">[" + describe(info.hSubMenu) + L"]";
        else
            out += std::wstring(text) + L"=" + std::to_wstring(info.wID);
    }
    return out;
}

HINSTANCE self() {
    return GetModuleHandleW(nullptr);
}

TEST(Resources, MainMenuItemsIdentifiersAndOrder) {
    HMENU menu = LoadMenuW(self(), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    const wchar_t* expected =
        L"文件(&F)>[打开(&O)...\tCtrl+O=40001|打开位置(&L)...=40002|-|保存图像(&C)=40003|-|退出(&X)=40099]|"
        L"查看(&V)>[播放列表(&L)=41001|-|全屏(&F)\tAlt+Enter=41002|缩放(&Z)>[缩小(&O)\t-=41011|放大(&I)\t+="
        L"41012|-|"
        L"50%=41013|100%\tAlt+O=41014|200%=41015]]|"
        L"播放(&P)>[播放/"
        L"暂停(&P)\tP=42001|停止(&S)\tS=42003|逐帧步进(&T)\tSPACE=42004|播放速度(&Y)>[减速(&D)=42011|"
        L"加速(&U)=42012|-|一半速度(&H)=42013|原始速度(&O)=42014|双倍速度(&D)=42015]|-|上一个(&V)\tV=42005|"
        L"下一个(&N)\tN=42006|快退(&B)\tB=42007|快进(&F)\tF=42008|-|DVD/"
        L"VC&D=42009|音频(&K)>[默认设置(&D)...=42021]|"
        L"字幕(&B)>[无(&N)=42031|-|默认设置(&D)...=42032]]|"
        L"帮助(&H)>[主页(&H)=43001|-|关于(&A) ...=43099]";
    EXPECT_EQ(describe(menu), expected);
    DestroyMenu(menu);
}

TEST(Resources, ListMenuItemsIdentifiersAndOrder) {
    HMENU menu = LoadMenuW(self(), MAKEINTRESOURCEW(IDR_LIST_MENU));
    ASSERT_NE(menu, nullptr);
    const wchar_t* expected = L"播放列表(&L)>[打开(&O)...\tCtrl+O=40001|添加(&A)...=45001|保存(&S)=45002|"
                              L"清除(&C)=45003|-|循环(&R)=45004|排序(&T)>[随机(&R)=45005|-|按标题(&T)=45006|"
                              L"按路径(&P)=45007]|-]";
    EXPECT_EQ(describe(menu), expected);
    DestroyMenu(menu);
}

TEST(Resources, Strings) {
    struct Case {
        UINT id;
        const wchar_t* text;
    } cases[] = {{IDS_CAPTION, L"Zon Player"},
                 {IDS_SAVE_LIST_FILTER, L"播放列表 (*.m3u)|*.m3u|"},
                 {IDS_ADD_FILTER, L"播放列表 (*.m3u)|*.m3u;*.m3u8|所有文件(*.*)|*.*|"}};
    for (const Case& c : cases) {
        wchar_t text[128] = {};
        LoadStringW(self(), c.id, text, 128);
        EXPECT_STREQ(text, c.text);
    }
    wchar_t home[32] = {};
    EXPECT_GT(LoadStringW(self(), IDS_HOMEPAGE, home, 32), 0);
    EXPECT_LT(wcslen(home), 31u) << "the homepage is read into 32 units";
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

TEST(Resources, SkinBitmapsHaveTheirSizesAndFrameMetrics) {
    struct Case {
        const SkinImage* image;
        int width, height;
    } cases[] = {{&skinButtons, 216, 120},  {&skinPanel, 250, 50},  {&skinBorders, 14, 14},
                 {&skinScrollBar, 15, 240}, {&skinCaption, 21, 26}, {&skinSeekBar, 9, 18}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.image->width, c.width);
        EXPECT_EQ(c.image->height, c.height);
        BITMAP info = {};
        GetObjectW(c.image->bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, c.width);
    }
    EXPECT_EQ(frameMetrics.captionHeight, 26);
    EXPECT_EQ(frameMetrics.panelHeight, 50);
    EXPECT_EQ(frameMetrics.leftBorder, 7);
    EXPECT_EQ(frameMetrics.rightBorder, 7);
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
