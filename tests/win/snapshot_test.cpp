// Snapshots of what the display window shows, taken by the way the platform offers (under Wine:
// the renderer's picture while paused), written as bitmap files and read back.
#include "support.h"

#include "app/shell.h"
#include "engine/media.h"
#include "engine/snapshot.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
struct Bitmap {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    std::string bytes;
    // A pixel of a 32-bit picture, counted from the top.
    COLORREF at(int x, int y) const {
        int row = info.biHeight > 0 ? info.biHeight - 1 - y : y;
        const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data()) + file.bfOffBits +
                                 (static_cast<std::size_t>(row) * info.biWidth + x) * 4;
        return RGB(p[2], p[1], p[0]);
    }
};

Bitmap readBitmap(const std::wstring& path) {
    Bitmap b;
    b.bytes = readFile(path);
    if (b.bytes.size() >= sizeof b.file + sizeof b.info) {
        std::memcpy(&b.file, b.bytes.data(), sizeof b.file);
        std::memcpy(&b.info, b.bytes.data() + sizeof b.file, sizeof b.info);
    }
    return b;
}

int distance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

bool open(const wchar_t* name) {
    std::wstring path = mediaPath(name);
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(0);
    return openMedia(buffer.data());
}

TEST(Snapshot, APlayingClipIsSavedAsTheBitmapTheDisplayShowsReplacingAnyFile) {
    ASSERT_TRUE(open(L"silent640.avi"));
    pumpMessages(400);
    ASSERT_TRUE(snapshotPossible());
    std::wstring path = freshFolder(L"snapshot") + L"\\shot.bmp";
    writeFile(path, "an older file of that name");
    ASSERT_TRUE(writeSnapshot(path.c_str()));
    EXPECT_EQ(playbackState, Playing) << "taking it does not stop the clip";
    Bitmap b = readBitmap(path);
    EXPECT_EQ(b.file.bfType, 0x4D42);
    EXPECT_EQ(b.file.bfSize, b.bytes.size());
    EXPECT_EQ(b.info.biWidth, 640);
    EXPECT_EQ(std::abs(b.info.biHeight), 360);
    EXPECT_EQ(b.file.bfOffBits, 54u);
    EXPECT_EQ(b.bytes.size(), 54u + 640 * 360 * b.info.biBitCount / 8);

    // Paused, the file and the screen hold the same picture: compared cell by cell.
    setPlaybackState(Paused);
    pumpMessages(300);
    ASSERT_TRUE(writeSnapshot(path.c_str()));
    b = readBitmap(path);
    Capture shown = capture(displayWindow, false);
    ASSERT_EQ(b.info.biBitCount, 32);
    int samples = 0, unlike = 0;
    for (int y = 0; y < shown.height; y += 7)
        for (int x = 0; x < shown.width; x += 7, ++samples)
            unlike += distance(shown.at(x, y), b.at(x * 640 / shown.width, y * 360 / shown.height)) > 24;
    EXPECT_LT(unlike * 100, samples) << unlike << " of " << samples << " samples differ";
    setPlaybackState(Stopped);
}

TEST(Snapshot, NothingIsWrittenWithoutAPicture) {
    std::wstring path = freshFolder(L"snapshot") + L"\\none.bmp";
    for (const wchar_t* name : {L"tone.wav", L"missing.avi"}) {
        open(name);
        EXPECT_FALSE(snapshotPossible()) << "no picture in " << ansi(name);
        EXPECT_FALSE(writeSnapshot(path.c_str()));
        EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
        setPlaybackState(Stopped);
    }
}
} // namespace
