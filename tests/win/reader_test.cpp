// Our Media Foundation source on Wine's real graph, in the test prefix like stock Windows (the
// second prefix of `make test`), where DirectShow itself opens no MP4, MOV, MKV, WebM or M4A.
// The pattern clip shows red beside green over eight columns that are the bits of its frame number.
#include "support.h"
#include "../common/pattern.h"

#include "app/shell.h"
#include "engine/graph.h"
#include "engine/media.h"
#include "engine/media_context.h"
#include "engine/renderer.h"
#include "source/reader_source.h"
#include "win32/com_ptr.h"

#include <gtest/gtest.h>

#include <optional>

namespace {
ComPtr<IGraphBuilder> newGraph() {
    ComPtr<IGraphBuilder> graph;
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                     reinterpret_cast<void**>(&graph));
    return graph;
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

// Paused, a seek shows the frame at its target: the frames are the file's own and land within a
// frame of where they were asked for. Closed, the file is free again.
TEST_F(StockWindows, OurSourcesPicturesAreTheFilesFramesAndASeekLandsWithinAFrame) {
    std::wstring path = mediaCopy(L"pattern.mp4", L"pattern.mp4");
    ASSERT_TRUE(openInPlace(path));
    setPlaybackState(Paused);
    HWND picture = FindWindowExW(displayWindow, nullptr, nullptr, nullptr);
    for (LONGLONG ms : {0, 3'100, 1'000, 7'500}) {
        ASSERT_TRUE(onMedium([ms](MediaContext& m) {
            LONGLONG target = ms * 10'000;
            m.seeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr,
                                    AM_SEEKING_NoPositioning);
        }));
        Pattern shown;
        EXPECT_TRUE(eventually([&] {
            Capture c = capture(picture, false);
            shown = patternIn([&c](double x, double y) {
                return c.at(static_cast<int>(x * c.width), static_cast<int>(y * c.height));
            });
            return shown.colours && std::abs(shown.frame * 40 - ms) <= 40;
        })) << "within a frame of "
            << ms << " ms, not frame " << shown.frame;
    }
    setPlaybackState(Stopped);
    ASSERT_TRUE(mediaReleased());
    EXPECT_TRUE(MoveFileW(path.c_str(), (path + L".moved").c_str())) << "nothing holds the file";
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
