// The native size rules of the renderer, with a stand-in windowless renderer reporting given sizes
// (Wine's renderer cannot be made to report them), and the adopted video window.
#include "support.h"

#include "app/display_window.h"
#include "app/shell.h"
#include "engine/media.h"
#include "engine/renderer.h"

#include <gtest/gtest.h>

namespace {
class StandInWindowless final : public IVMRWindowlessControl {
public:
    StandInWindowless(LONG w, LONG h) : width_(w), height_(h) {}
    virtual ~StandInWindowless() = default;
    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IVMRWindowlessControl)
            return *out = nullptr, E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return ++refs_; }
    ULONG WINAPI Release() override {
        ULONG n = --refs_;
        if (n == 0)
            delete this;
        return n;
    }
    HRESULT WINAPI GetNativeVideoSize(LONG* w, LONG* h, LONG*, LONG*) override {
        *w = width_;
        *h = height_;
        return S_OK;
    }
    HRESULT WINAPI GetMinIdealVideoSize(LONG*, LONG*) override { return E_NOTIMPL; }
    HRESULT WINAPI GetMaxIdealVideoSize(LONG*, LONG*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetVideoPosition(const LPRECT, const LPRECT destination) override {
        placed = *destination;
        return S_OK;
    }
    HRESULT WINAPI GetVideoPosition(LPRECT, LPRECT) override { return E_NOTIMPL; }
    HRESULT WINAPI GetAspectRatioMode(DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetAspectRatioMode(DWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI SetVideoClippingWindow(HWND) override { return S_OK; }
    HRESULT WINAPI RepaintVideo(HWND, HDC) override { return E_NOTIMPL; }
    HRESULT WINAPI DisplayModeChanged() override { return E_NOTIMPL; }
    HRESULT WINAPI GetCurrentImage(BYTE**) override { return E_NOTIMPL; }
    HRESULT WINAPI SetBorderColor(COLORREF) override { return S_OK; }
    HRESULT WINAPI GetBorderColor(COLORREF*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetColorKey(COLORREF) override { return E_NOTIMPL; }
    HRESULT WINAPI GetColorKey(COLORREF*) override { return E_NOTIMPL; }
    RECT placed = {};

private:
    LONG width_, height_;
    ULONG refs_ = 1;
};

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
        StandInWindowless* stand = new StandInWindowless(c.w, c.h);
        media.windowless = ComPtr<IVMRWindowlessControl>::adopt(stand);
        updateVideoSize();
        EXPECT_EQ(nativeWidth, c.nativeW) << c.w << "x" << c.h;
        EXPECT_EQ(nativeHeight, c.nativeH) << c.w << "x" << c.h;
        EXPECT_EQ(static_cast<bool>(media.windowless), c.kept) << "a renderer without a picture is let go";
        EXPECT_FALSE(media.videoWindow) << "an empty graph has no window to adopt";
        media.windowless.reset();
    }
}

TEST_F(Renderer, TheWindowlessPictureFillsTheDisplayAtItsZoom) {
    StandInWindowless* stand = new StandInWindowless(320, 180);
    stand->AddRef();
    media.windowless = ComPtr<IVMRWindowlessControl>::adopt(stand);
    setZoom(150);
    RECT client;
    GetClientRect(displayWindow, &client);
    EXPECT_EQ(stand->placed.left, -(client.right * 150 / 100 - client.right) / 2);
    EXPECT_EQ(stand->placed.right - stand->placed.left,
              client.right + 2 * ((client.right * 150 / 100 - client.right) / 2));
    setZoom(100);
    EXPECT_EQ(stand->placed.left, 0);
    EXPECT_EQ(stand->placed.right, client.right);
    media.windowless.reset();
    stand->Release();
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
