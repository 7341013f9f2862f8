// The RealMedia filters are outside components: stand-ins registered for this process show that
// they are created by class and added under their names, in order, before the source is rendered.
#include "fakes.h"
#include "support.h"

#include "engine/media.h"
#include "engine/renderer.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {
std::vector<std::wstring> joined; // filter names, in the order the graph took them

class NoPins final : public Fake<IEnumPins> {
public:
    NoPins() : Fake(nullptr, "pins") {}
    HRESULT WINAPI Next(ULONG, IPin** p, ULONG* n) override {
        if (n != nullptr)
            *n = 0;
        *p = nullptr;
        return S_FALSE;
    }
    HRESULT WINAPI Skip(ULONG) override { return S_FALSE; }
    HRESULT WINAPI Reset() override { return S_OK; }
    FAKE_NOT_IMPLEMENTED(Clone, IEnumPins**)
};

// A filter with no pins: enough for the graph to hold it.
class StandInFilter final : public Fake<IBaseFilter> {
public:
    StandInFilter() : Fake(nullptr, "filter") {}
    HRESULT WINAPI GetClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT WINAPI Stop() override { return S_OK; }
    HRESULT WINAPI Pause() override { return S_OK; }
    HRESULT WINAPI Run(REFERENCE_TIME) override { return S_OK; }
    HRESULT WINAPI GetState(DWORD, FILTER_STATE* s) override { return *s = State_Stopped, S_OK; }
    HRESULT WINAPI SetSyncSource(IReferenceClock*) override { return S_OK; }
    HRESULT WINAPI GetSyncSource(IReferenceClock** c) override { return *c = nullptr, S_OK; }
    HRESULT WINAPI EnumPins(IEnumPins** e) override {
        pins_.AddRef();
        return *e = &pins_, S_OK;
    }
    HRESULT WINAPI FindPin(LPCWSTR, IPin** p) override { return *p = nullptr, VFW_E_NOT_FOUND; }
    HRESULT WINAPI QueryFilterInfo(FILTER_INFO* info) override {
        lstrcpynW(info->achName, name_.c_str(), MAX_FILTER_NAME);
        info->pGraph = nullptr;
        return S_OK;
    }
    HRESULT WINAPI JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override {
        name_ = name != nullptr ? name : L"";
        if (graph != nullptr)
            joined.push_back(name_);
        return S_OK;
    }
    FAKE_NOT_IMPLEMENTED(QueryVendorInfo, LPWSTR*)

    NoPins pins_;

private:
    std::wstring name_;
};

// Hands out a new stand-in per creation; all of them live until the test ends.
class StandInFactory final : public Fake<IClassFactory> {
public:
    StandInFactory() : Fake(nullptr, "factory") {}
    HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        made.push_back(std::make_unique<StandInFilter>());
        HRESULT hr = made.back()->QueryInterface(iid, out);
        made.back()->Release();
        return hr;
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }
    std::vector<std::unique_ptr<StandInFilter>> made;
};

const CLSID kSplitter = {0xE21BE468, 0x5C18, 0x43EB, {0xB0, 0xCC, 0xDB, 0x93, 0xA8, 0x47, 0xD7, 0x69}};
const CLSID kVideo = {0x238D0F23, 0x5DC9, 0x45A6, {0x9B, 0xE2, 0x66, 0x61, 0x60, 0xC3, 0x24, 0xDD}};
const CLSID kAudio = {0x941A4793, 0xA705, 0x4312, {0x8D, 0xFC, 0xC1, 0x1C, 0xA0, 0x5F, 0x39, 0x7E}};

std::vector<std::wstring> realMediaNamesIn(IGraphBuilder* graph) {
    std::vector<std::wstring> found;
    for (const wchar_t* name :
         {L"RealMedia Splitter", L"RealMedia VideoDecoder", L"RealMedia AudioDecoder"}) {
        ComPtr<IBaseFilter> f;
        if (SUCCEEDED(graph->FindFilterByName(name, &f)) && f)
            found.push_back(name);
    }
    return found;
}

bool openCopyAs(const wchar_t* name) {
    std::wstring path = mediaCopy(L"silent320.avi", name);
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(0);
    return openMedia(buffer.data());
}

TEST(RealMedia, StandInFiltersAreAddedInOrderWithTheirNames) {
    StandInFactory factories[3];
    const CLSID* ids[] = {&kSplitter, &kVideo, &kAudio};
    DWORD cookies[3] = {};
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(CoRegisterClassObject(*ids[i], &factories[i], CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                        &cookies[i]),
                  S_OK);
    const wchar_t* names[] = {L"film.RMVB", L"film.rm", L"song.ra", L"film.ram", L"pack.rar"};
    for (const wchar_t* name : names) {
        joined.clear();
        ASSERT_TRUE(openCopyAs(name));
        std::vector<std::wstring> expected = {L"RealMedia Splitter", L"RealMedia VideoDecoder",
                                              L"RealMedia AudioDecoder"};
        EXPECT_EQ(joined, expected) << std::string(name, name + wcslen(name));
        EXPECT_EQ(realMediaNamesIn(media.graph.get()), expected);
        EXPECT_EQ(nativeWidth, 320) << "the source still renders through the graph";
        setPlaybackState(Stopped);
    }
    for (int i = 0; i < 3; ++i) {
        CoRevokeClassObject(cookies[i]);
        for (const auto& filter : factories[i].made)
            EXPECT_TRUE(filter->refs == 0 && filter->pins_.refs == 1) << "the graph lets go of what it took";
    }
}

TEST(RealMedia, SkippedSilentlyWhenNotInstalledAndNeverAddedForOtherFiles) {
    struct Case {
        const wchar_t* name;
    } cases[] = {{L"film.rmvb"}, {L"clip.avi"}, {L"clip.wmv2"}};
    for (const Case& c : cases) {
        joined.clear();
        ASSERT_TRUE(openCopyAs(c.name));
        EXPECT_EQ(playbackState, Playing);
        EXPECT_TRUE(realMediaNamesIn(media.graph.get()).empty());
        setPlaybackState(Stopped);
    }
}
} // namespace
