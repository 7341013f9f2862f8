// The program's source filter base on Wine's real graph, through the tests' misbehaving source:
// a stream that ends, breaks or is moved is what the graph reports, and the filter goes with the
// graph.
#include "../common/test_files.h"
#include "engine/dshow.h"
#include "win32/com_ptr.h"

#include <gtest/gtest.h>

namespace {
const CLSID kMisbehavingSource = {
    0xbb201f74, 0xc618, 0x4f5a, {0x97, 0x01, 0xa3, 0xe6, 0xa1, 0x90, 0xda, 0xb8}};
constexpr LONGLONG kMs = 10'000, kNone = -1;

// The graph's source filter of our class, with a reference of its own; null when another read the file.
IBaseFilter* sourceIn(IGraphBuilder* graph) {
    ComPtr<IEnumFilters> filters;
    graph->EnumFilters(&filters);
    IBaseFilter* filter = nullptr;
    while (filters && filters->Next(1, &filter, nullptr) == S_OK) {
        CLSID id = {};
        if (SUCCEEDED(filter->GetClassID(&id)) && id == kMisbehavingSource)
            return filter;
        filter->Release();
    }
    return nullptr;
}

TEST(SourceFilter, TheGraphHearsWhereItsStreamEndsBreaksOrMovesAndTheFilterGoesWithTheGraph) {
    struct Case {
        const char* text;
        LONGLONG length, seekTo; // ms
        long event;
        HRESULT result;
    };
    // Each event comes within 3 s: an end or break honoured before the claimed length, a seek
    // that really moved the stream (played from the start, the last would take 5 s).
    for (auto [text, length, seekTo, event, result] :
         {Case{"zonfault end 1 claim 60", 60'000, kNone, EC_COMPLETE, S_OK},
          Case{"zonfault end 1 claim none", kNone, kNone, EC_COMPLETE, S_OK},
          Case{"zonfault abort 0.5", 60'000, kNone, EC_ERRORABORT, E_FAIL},
          Case{"zonfault end 5 claim 5", 5'000, 4'500, EC_COMPLETE, S_OK}}) {
        SCOPED_TRACE(text);
        std::wstring path = freshFolder(L"source") + L"\\medium.zonfault";
        writeFile(path, text);
        ComPtr<IGraphBuilder> graph;
        ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                   reinterpret_cast<void**>(&graph)),
                  S_OK);
        ASSERT_EQ(graph->RenderFile(path.c_str(), nullptr), S_OK);
        IBaseFilter* source = sourceIn(graph.get());
        ASSERT_NE(source, nullptr) << "the file's first bytes chose the filter";
        ComPtr<IMediaSeeking> seeking;
        ComPtr<IMediaControl> control;
        ComPtr<IMediaEventEx> events;
        ComPtr<IVideoWindow> window;
        ASSERT_TRUE(SUCCEEDED(graph.queryInterface(seeking)) && SUCCEEDED(graph.queryInterface(control)) &&
                    SUCCEEDED(graph.queryInterface(events)) && SUCCEEDED(graph.queryInterface(window)));
        window->put_AutoShow(OAFALSE); // the player's window stays the active one
        LONGLONG known = 0;
        EXPECT_EQ(SUCCEEDED(seeking->GetDuration(&known)) ? known / kMs : kNone, length);
        DWORD capabilities = 0;
        seeking->GetCapabilities(&capabilities);
        EXPECT_EQ((capabilities & AM_SEEKING_CanSeekAbsolute) != 0, length != kNone)
            << "seekable when its length is known";
        if (LONGLONG at = seekTo * kMs; seekTo != kNone) {
            EXPECT_EQ(
                seeking->SetPositions(&at, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning),
                S_OK);
        }
        ASSERT_TRUE(SUCCEEDED(control->Run()));
        LONG_PTR first = 0, second = 0, heard = S_FALSE;
        EXPECT_TRUE(eventually(
            [&] {
                for (long code = 0; events->GetEvent(&code, &first, &second, 0) == S_OK;) {
                    events->FreeEventParams(code, first, second);
                    if (code == event)
                        return heard = first, true;
                }
                return false;
            },
            3000));
        EXPECT_EQ(heard, result) << "the event's result";
        EXPECT_EQ(control->Stop(), S_OK);
        window.reset(), events.reset(), control.reset(), seeking.reset(), graph.reset();
        EXPECT_EQ(source->Release(), 0u) << "nothing else holds the filter once the graph is gone";
    }
}
} // namespace
