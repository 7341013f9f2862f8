// Our Media Foundation source on Wine's real graph, in the test prefix like stock Windows (the
// second prefix of `make test`), where DirectShow itself opens no MP4, MOV, MKV, WebM or M4A.
// The pattern clip shows red beside green over eight columns that are the bits of its frame number.
#include "fakes.h"
#include "support.h"

#include "app/shell.h"
#include "engine/graph.h"
#include "engine/media.h"
#include "engine/renderer.h"
#include "source/reader_source.h"
#include "win32/com_ptr.h"

#include <qedit.h>

#include <gtest/gtest.h>

#include <mutex>
#include <optional>

namespace {
const CLSID kSampleGrabber = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
const CLSID kNullRenderer = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
constexpr LONGLONG kMs = 10'000;
constexpr int kWidth = 320, kHeight = 240;

// A new object of a class in this process, through its interface T; empty when none is made.
template <class T> ComPtr<T> made(REFCLSID id) {
    ComPtr<T> object;
    CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, __uuidof(T), reinterpret_cast<void**>(&object));
    return object;
}
ComPtr<IGraphBuilder> newGraph() {
    return made<IGraphBuilder>(CLSID_FilterGraph);
}

// Every case here needs the prefix where DirectShow has no MP4 splitter.
class StockWindows : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        ComPtr<IBaseFilter> source;
        ASSERT_TRUE(
            FAILED(newGraph()->AddSourceFilter(mediaPath(L"pattern.mp4").c_str(), L"SOURCE", &source)))
            << "run in the prefix like stock Windows (scripts/stock-windows.reg)";
    }
};

ComPtr<IPin> pinOf(IBaseFilter* filter, const wchar_t* id) {
    ComPtr<IPin> pin;
    filter->FindPin(id, &pin);
    return pin;
}

// The class of the filter a pin is connected to; GUID_NULL when it is not.
CLSID peerClass(IPin* pin) {
    ComPtr<IPin> peer;
    PIN_INFO info = {};
    CLSID id = GUID_NULL;
    if (pin != nullptr && SUCCEEDED(pin->ConnectedTo(&peer)) && SUCCEEDED(peer->QueryPinInfo(&info))) {
        info.pFilter->GetClassID(&id);
        info.pFilter->Release();
    }
    return id;
}

// The pattern's frame number in 32-bit rows, bottom up: the columns of its lower half are its bits.
struct Seen {
    int frame = -1;
    COLORREF left = 0, right = 0; // the upper half's two colours
};
Seen seenIn(const BYTE* rows) {
    auto at = [rows](int x, int y) {
        const BYTE* p = rows + (static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 4;
        return RGB(p[2], p[1], p[0]);
    };
    Seen seen{0, at(kWidth / 4, kHeight / 4), at(kWidth * 3 / 4, kHeight / 4)};
    for (int bit = 0; bit < 8; ++bit)
        seen.frame |= GetGValue(at(bit * 40 + 20, kHeight * 3 / 4)) > 128 ? 1 << bit : 0;
    return seen;
}

bool alike(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 24 && std::abs(GetGValue(a) - GetGValue(b)) <= 24 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 24;
}

// Keeps the first picture that reaches the grabber after each reset.
class FirstPicture final : public Fake<ISampleGrabberCB> {
public:
    FirstPicture() : Fake(nullptr, "grabbed") {}
    HRESULT WINAPI SampleCB(double, IMediaSample* sample) override {
        BYTE* data = nullptr;
        std::lock_guard hold(lock_);
        if (!seen_ && sample->GetActualDataLength() >= kWidth * kHeight * 4 &&
            SUCCEEDED(sample->GetPointer(&data)))
            seen_ = seenIn(data);
        return S_OK;
    }
    HRESULT WINAPI BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }
    void reset() {
        std::lock_guard hold(lock_);
        seen_.reset();
    }
    std::optional<Seen> seen() {
        std::lock_guard hold(lock_);
        return seen_;
    }

private:
    std::mutex lock_;
    std::optional<Seen> seen_;
};

bool completes(IMediaEventEx* events, DWORD ms) {
    return eventually(
        [events] {
            long code = 0;
            LONG_PTR first = 0, second = 0;
            bool complete = false;
            while (events->GetEvent(&code, &first, &second, 0) == S_OK) {
                complete = complete || code == EC_COMPLETE;
                events->FreeEventParams(code, first, second);
            }
            return complete;
        },
        ms);
}

TEST_F(StockWindows, TheReaderSourcesPicturesAreTheFilesFramesASeekLandsWithinAFrameAndTheEndIsHeard) {
    ComPtr<IGraphBuilder> graph = newGraph();
    ComPtr<IBaseFilter> grabber = made<IBaseFilter>(kSampleGrabber), null = made<IBaseFilter>(kNullRenderer);
    ComPtr<ISampleGrabber> grab;
    ASSERT_TRUE(null && SUCCEEDED(grabber.queryInterface(grab)));
    AM_MEDIA_TYPE rgb = {};
    rgb.majortype = MEDIATYPE_Video;
    rgb.subtype = MEDIASUBTYPE_RGB32;
    FirstPicture first;
    grab->SetMediaType(&rgb);
    grab->SetCallback(&first, 0);
    graph->AddFilter(grabber.get(), L"Grabber");
    graph->AddFilter(null.get(), L"Null");
    IBaseFilter* source = newReaderSource(); // the reference is the test's
    ComPtr<IFileSourceFilter> file;
    graph->AddFilter(source, L"SOURCE");
    ASSERT_EQ(source->QueryInterface(IID_IFileSourceFilter, reinterpret_cast<void**>(&file)), S_OK);
    ASSERT_EQ(file->Load(mediaPath(L"pattern.mp4").c_str(), nullptr), S_OK);
    // RGB rows for the grabber, converted by the source: the audio stream stays unread.
    ASSERT_EQ(graph->Connect(pinOf(source, L"Video").get(), pinOf(grabber.get(), L"In").get()), S_OK);
    ASSERT_EQ(graph->Connect(pinOf(grabber.get(), L"Out").get(), pinOf(null.get(), L"In").get()), S_OK);
    EXPECT_EQ(peerClass(pinOf(source, L"Video").get()), kSampleGrabber) << "straight to the grabber";
    ComPtr<IMediaControl> control;
    ComPtr<IMediaSeeking> seeking;
    ComPtr<IMediaEventEx> events;
    ASSERT_TRUE(SUCCEEDED(graph.queryInterface(control)) && SUCCEEDED(graph.queryInterface(seeking)) &&
                SUCCEEDED(graph.queryInterface(events)));
    LONGLONG length = 0;
    EXPECT_EQ(seeking->GetDuration(&length), S_OK);
    EXPECT_NEAR(length / kMs, 8000, 50) << "the length the file's presentation gives";

    ASSERT_TRUE(SUCCEEDED(control->Run()));
    ASSERT_TRUE(eventually([&] { return first.seen().has_value(); }));
    Seen start = *first.seen();
    EXPECT_LE(start.frame, 1) << "the first frame";
    EXPECT_TRUE(alike(start.left, RGB(255, 0, 0))) << std::hex << start.left;
    EXPECT_TRUE(alike(start.right, RGB(0, 255, 0))) << std::hex << start.right;
    // Sought as it runs, as the player seeks our source: the frames from the one at the target.
    for (LONGLONG target : {3'100 * kMs, 1'000 * kMs, 7'500 * kMs}) {
        ASSERT_EQ(
            seeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning),
            S_OK);
        first.reset();
        ASSERT_TRUE(eventually([&] { return first.seen().has_value(); })) << target / kMs;
        EXPECT_NEAR(first.seen()->frame * 40.0, target / kMs, 40.0) << "within a frame of " << target / kMs;
    }
    EXPECT_TRUE(completes(events.get(), 3000)) << "EC_COMPLETE half a second on";
    EXPECT_EQ(control->Stop(), S_OK);
    control.reset(), seeking.reset(), events.reset(), file.reset(), grab.reset(), grabber.reset(),
        null.reset(), graph.reset();
    EXPECT_EQ(source->Release(), 0u) << "nothing else holds the filter once the graph is gone";
}

// Our source in the playing graph, with where its picture and its sound go; null when another
// read the file.
struct Renderers {
    CLSID picture = GUID_NULL, sound = GUID_NULL;
};
std::optional<Renderers> ourSourceIn(IGraphBuilder* graph) {
    ComPtr<IBaseFilter> source;
    CLSID id = GUID_NULL;
    if (FAILED(graph->FindFilterByName(L"SOURCE", &source)) || FAILED(source->GetClassID(&id)) ||
        id != kReaderSourceClass)
        return std::nullopt;
    return Renderers{peerClass(pinOf(source.get(), L"Video").get()),
                     peerClass(pinOf(source.get(), L"Audio").get())};
}

TEST_F(StockWindows,
       DirectShowOpensWhatItCanOurSourceTheRestForTheGraphsRenderersAndWhatNeitherOpensIsSkipped) {
    for (auto [file, ours, picture, sound, seconds] : {std::tuple{L"clip320.avi", false, true, true, 3.0},
                                                       {L"pattern.mp4", true, true, true, 8.0},
                                                       {L"tone.wav", false, false, true, 3.0},
                                                       {L"short.webm", true, true, true, 1.0},
                                                       {L"short.m4a", true, false, true, 1.0}}) {
        SCOPED_TRACE(ansi(file));
        std::wstring path = mediaPath(file);
        ASSERT_TRUE(openInPlace(path));
        EXPECT_EQ(playbackState, Playing);
        EXPECT_NEAR(media.duration / 1e7, seconds, 0.1) << "the length its presentation gives";
        EXPECT_TRUE(media.seekable);
        EXPECT_EQ(nativeWidth, 320);
        std::optional<Renderers> found;
        bool stopsToSeek = true;
        ASSERT_TRUE(onMedium(
            [&](MediaContext& m) { found = ourSourceIn(m.graph.get()), stopsToSeek = m.stopToSeek; }));
        EXPECT_EQ(found.has_value(), ours) << "DirectShow first";
        EXPECT_EQ(stopsToSeek, !ours) << "only Wine's parsers are stopped to seek";
        if (!found)
            continue;
        // Decoded, the streams need nothing between them and the graph's renderers.
        EXPECT_EQ(found->picture, picture ? CLSID_VideoRenderer : GUID_NULL);
        EXPECT_EQ(found->sound, sound ? CLSID_DSoundRender : GUID_NULL);
        EXPECT_TRUE(!picture || eventually([] { return pictureContrast(displayWindow) > 60; }, 3000))
            << "its picture shows";
    }
    std::wstring corrupt = mediaPath(L"corrupt.avi");
    EXPECT_TRUE(openMedia(corrupt.data()));
    EXPECT_TRUE(eventually([] { return playbackState == Stopped; })) << "skipped";
}
} // namespace
