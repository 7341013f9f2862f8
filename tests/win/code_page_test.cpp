// The list writer's own encoder against the platform's conversion both ways, unit by unit, in
// the Chinese code page the tests run with: a list written in it must read back as it was.
#include "win32/code_page.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
TEST(CodePageEncoder, WritesEveryUnitAsThePlatformDoesAndRefusesWhatHasNoExactBytes) {
    ASSERT_EQ(GetACP(), 936u);
    CodePageEncoder encoder;
    int exact = 0;
    for (unsigned u = 1; u < 0x10000; ++u) {
        char16_t unit = static_cast<char16_t>(u);
        wchar_t wide = static_cast<wchar_t>(u);
        char platform[8];
        BOOL usedDefault = FALSE;
        int n =
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide, 1, platform, 8, nullptr, &usedDefault);
        std::string ours;
        bool ok = encoder.append(&unit, 1, ours);
        // Exact: the platform's bytes read back as the unit (half a surrogate pair never does, nor
        // do the few private-use units whose bytes read as others).
        wchar_t back[2] = {};
        bool platformExact = n > 0 && !usedDefault &&
                             MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, platform, n, back, 2) == 1 &&
                             back[0] == wide;
        ASSERT_EQ(ok, platformExact) << std::hex << u;
        if (ok) {
            ASSERT_EQ(ours, std::string(platform, static_cast<std::size_t>(n))) << std::hex << u;
            ++exact;
        } else {
            ASSERT_EQ(ours, "?") << std::hex << u;
        }
    }
    EXPECT_GT(exact, 20000) << "GBK's characters";
    std::string text;
    EXPECT_TRUE(encoder.append(u"C:\\音乐\\歌.mp3", 11, text));
    EXPECT_EQ(text, "C:\\\xD2\xF4\xC0\xD6\\\xB8\xE8.mp3") << "units follow each other";
}
} // namespace
