// Snapshots of what the display window shows, taken by the way the platform offers (under Wine:
// the renderer's picture while paused), written as bitmap files and read back.
#include "support.h"

#include "app/shell.h"
#include "engine/media.h"
#include "engine/media_context.h"
#include "core/transport_math.h"
#include "engine/snapshot.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
// A bitmap file's two headers and a 32-bit pixel of it, counted from the top.
struct Bitmap {
    std::string bytes;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    explicit Bitmap(const std::wstring& path) : bytes(readFile(path)) {
        if (bytes.size() >= sizeof file + sizeof info) {
            std::memcpy(&file, bytes.data(), sizeof file);
            std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
        }
    }
    COLORREF at(int x, int y) const {
        int row = info.biHeight > 0 ? info.biHeight - 1 - y : y;
        const char* p =
            bytes.data() + file.bfOffBits + (static_cast<std::size_t>(row) * info.biWidth + x) * 4;
        return RGB(static_cast<BYTE>(p[2]), static_cast<BYTE>(p[1]), static_cast<BYTE>(p[0]));
    }
};

bool alike(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))}) <= 24;
}

TEST(Snapshot, APlayingClipIsSavedAsTheBitmapTheDisplayShowsReplacingAnyFile) {
    std::wstring clip = mediaPath(L"silent640.avi"), path = freshFolder(L"snapshot") + L"\\shot.bmp";
    ASSERT_TRUE(openInPlace(clip));
    ASSERT_TRUE(eventually([] { return media.position > kUnitsPerSecond / 2; })) << "it plays";
    writeFile(path, "an older file of that name");
    ASSERT_TRUE(snapshotPossible());
    writeSnapshot(path.c_str());
    ASSERT_TRUE(settled());
    EXPECT_EQ(playbackState, Playing) << "taking it does not stop the clip";
    Bitmap b(path);
    EXPECT_EQ(b.file.bfType, 0x4D42);
    EXPECT_EQ(b.file.bfOffBits, 54u);
    EXPECT_EQ(b.file.bfSize, b.bytes.size());
    EXPECT_EQ(b.bytes.size(), 54u + 640 * 360 * 4) << "32 bits of 640 x 360";
    // Paused, the file holds the picture the screen shows (once the screen has drawn the last
    // frame): compared a sample every 7 pixels.
    setPlaybackState(Paused);
    OAFilterState state = -1;
    ASSERT_TRUE(onMedium([&](MediaContext& m) { m.control->GetState(2000, &state); }));
    ASSERT_EQ(state, State_Paused);
    int samples = 0, unlike = 0;
    EXPECT_TRUE(eventually([&] {
        writeSnapshot(path.c_str());
        settled();
        Bitmap paused(path);
        Capture shown = capture(displayWindow, false);
        samples = unlike = 0;
        for (int y = 0; y < shown.height; y += 7)
            for (int x = 0; x < shown.width; x += 7, ++samples)
                unlike += !alike(shown.at(x, y), paused.at(x * 640 / shown.width, y * 360 / shown.height));
        return unlike * 100 < samples;
    })) << unlike
        << " of " << samples << " samples differ";
    setPlaybackState(Stopped);
}

} // namespace
