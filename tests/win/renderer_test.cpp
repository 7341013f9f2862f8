// The native size rules of the renderer, with a stand-in windowless renderer reporting given sizes
// (Wine's renderer cannot be made to report them), and the adopted video window.
#include "fakes.h"
#include "support.h"

#include "app/display_window.h"
#include "app/shell.h"
#include "engine/media.h"
#include "engine/renderer.h"

#include <gtest/gtest.h>

namespace {
class Renderer : public testing::Test {
protected:
    void SetUp() override {
        setPlaybackState(Stopped);
        // An empty graph: no video window of its own, so only the stand-in can report a size.
        ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                   reinterpret_cast<void**>(&media.graph)),
                  S_OK);
    }
    void TearDown() override { closeMedia(); }
};

TEST_F(Renderer, NativeSizeFromTheWindowlessRenderer) {
    struct Case {
        LONG w, h;
        int nativeW, nativeH;
        bool kept;
    } cases[] = {
        {720, 576, 720, 576, true}, {0, 576, 320, 180, false}, {640, 0, 320, 180, false}, {1, 1, 1, 1, true}};
    for (const Case& c : cases) {
        StandInWindowless stand(c.w, c.h);
        media.windowless = ComPtr<IVMRWindowlessControl>::adopt(&stand);
        updateVideoSize();
        EXPECT_EQ(nativeWidth, c.nativeW) << c.w << "x" << c.h;
        EXPECT_EQ(nativeHeight, c.nativeH) << c.w << "x" << c.h;
        EXPECT_EQ(static_cast<bool>(media.windowless), c.kept) << "a renderer without a picture is let go";
        EXPECT_FALSE(media.videoWindow) << "an empty graph has no window to adopt";
        media.windowless.reset();
        EXPECT_EQ(stand.refs, 0);
    }
}

} // namespace

TEST(AdoptedVideoWindow, IsAChildOfTheDisplayWindow) {
    setPlaybackState(Stopped);
    std::wstring path = mediaPath(L"silent640.avi");
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(0);
    ASSERT_TRUE(openMedia(buffer.data()));
    if (media.videoWindow) {
        OAHWND owner = 0;
        long style = 0;
        media.videoWindow->get_Owner(&owner);
        media.videoWindow->get_WindowStyle(&style);
        EXPECT_EQ(reinterpret_cast<HWND>(owner), displayWindow);
        EXPECT_EQ(style & 0x46000000, 0x46000000);
        HWND video = FindWindowExW(displayWindow, nullptr, nullptr, nullptr);
        EXPECT_NE(video, nullptr);
    } else {
        EXPECT_TRUE(media.windowless) << "one renderer holds the picture";
    }
    setPlaybackState(Stopped);
}
