#include "engine/graph.h"

#include "engine/disc.h"
#include "engine/medium.h"
#include "engine/renderer.h"
#include "source/reader_source.h"
#include "win32/long_path.h"

#include <evcode.h>

#include <vector>

HRESULT findOutputPin(IBaseFilter* filter, IPin** pin) {
    if (pin == nullptr)
        return E_POINTER;
    *pin = nullptr;
    ComPtr<IEnumPins> pins;
    if (filter == nullptr || FAILED(filter->EnumPins(&pins)) || !pins)
        return E_FAIL;
    ComPtr<IPin> candidate;
    while (pins->Next(1, &candidate, nullptr) == S_OK) {
        PIN_DIRECTION direction;
        if (FAILED(candidate->QueryDirection(&direction)) || direction != PINDIR_OUTPUT)
            continue;
        ComPtr<IPin> peer;
        if (FAILED(candidate->ConnectedTo(&peer))) {
            *pin = candidate.get();
            (*pin)->AddRef();
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT addRealMediaFilters(IGraphBuilder* graph) {
    // Outside components; when one is not installed the graph simply plays without it.
    static const struct {
        CLSID clsid;
        const wchar_t* name;
    } filters[] = {
        {{0xE21BE468, 0x5C18, 0x43EB, {0xB0, 0xCC, 0xDB, 0x93, 0xA8, 0x47, 0xD7, 0x69}},
         L"RealMedia Splitter"},
        {{0x238D0F23, 0x5DC9, 0x45A6, {0x9B, 0xE2, 0x66, 0x61, 0x60, 0xC3, 0x24, 0xDD}},
         L"RealMedia VideoDecoder"},
        {{0x941A4793, 0xA705, 0x4312, {0x8D, 0xFC, 0xC1, 0x1C, 0xA0, 0x5F, 0x39, 0x7E}},
         L"RealMedia AudioDecoder"},
    };
    for (const auto& f : filters) {
        ComPtr<IBaseFilter> filter;
        if (SUCCEEDED(CoCreateInstance(f.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                       reinterpret_cast<void**>(&filter))))
            graph->AddFilter(filter.get(), f.name);
    }
    return S_OK;
}

namespace {
// A local path that names no file cannot be loaded by any source filter, and handing it to the
// graph costs a reader thread and about a megabyte that some platforms (Wine 8) never give back:
// such a path is not rendered at all, and the entry is skipped as any unplayable file is. Addresses
// are the graph's own business.
bool mayHoldMedia(const std::wstring& path) {
    if (path.find(L"://") != std::wstring::npos)
        return true;
    DWORD attributes = GetFileAttributesW(extendedPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Wine's parsers wake only one of their streams after a running graph is sought, so there a graph
// is stopped to seek. Windows' are not, and a graph there is sought as it runs.
bool runningOnWine() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

// While a graph is built its open can be given up from another thread: through the graph where it
// offers that, else through a source that reads from a network.
void offerAbort(MediaSession& session, IUnknown* object) {
    ComPtr<IAMOpenProgress> progress;
    if (object != nullptr &&
        SUCCEEDED(object->QueryInterface(__uuidof(IAMOpenProgress), reinterpret_cast<void**>(&progress))))
        session.offerAbort(std::move(progress));
}

HRESULT renderThroughSource(MediaSession& session, MediaContext& m, const std::wstring& path) {
    ComPtr<IBaseFilter> source;
    HRESULT hr = m.graph->AddSourceFilter(path.c_str(), L"SOURCE", &source);
    if (FAILED(hr))
        return hr;
    offerAbort(session, source.get());
    ComPtr<IPin> pin;
    hr = findOutputPin(source.get(), &pin);
    return SUCCEEDED(hr) ? m.graph->Render(pin.get()) : hr;
}

// What a failed render left in the graph (a source that read the file, filters it reached) goes;
// the renderer made for the file stays.
void dropFailedFilters(MediaContext& m) {
    std::vector<ComPtr<IBaseFilter>> left;
    ComPtr<IEnumFilters> filters;
    ComPtr<IBaseFilter> filter;
    if (FAILED(m.graph->EnumFilters(&filters)) || !filters)
        return;
    while (filters->Next(1, &filter, nullptr) == S_OK) {
        CLSID id = {};
        if (FAILED(filter->GetClassID(&id)) || id != CLSID_VideoMixingRenderer)
            left.push_back(std::move(filter));
    }
    for (ComPtr<IBaseFilter>& f : left)
        m.graph->RemoveFilter(f.get());
}

// Media Foundation's reader, through our own source filter, for a file DirectShow has no way to
// split (stock Windows has none for MP4, MOV, MKV, WebM, FLV or Ogg): each of its streams is
// rendered as any source's would be.
HRESULT renderThroughReader(MediaContext& m, const std::wstring& path) {
    dropFailedFilters(m);
    ComPtr<IBaseFilter> source = ComPtr<IBaseFilter>::adopt(newReaderSource());
    ComPtr<IFileSourceFilter> file;
    if (!source)
        return E_OUTOFMEMORY;
    HRESULT hr = m.graph->AddFilter(source.get(), L"SOURCE");
    if (FAILED(hr))
        return hr;
    if (FAILED(hr = source.queryInterface(file)) || FAILED(hr = file->Load(path.c_str(), nullptr))) {
        m.graph->RemoveFilter(source.get());
        return hr;
    }
    std::vector<ComPtr<IPin>> outputs;
    ComPtr<IEnumPins> pins;
    ComPtr<IPin> pin;
    if (SUCCEEDED(source->EnumPins(&pins)) && pins)
        while (pins->Next(1, &pin, nullptr) == S_OK)
            outputs.push_back(std::move(pin));
    int rendered = 0;
    for (ComPtr<IPin>& output : outputs)
        rendered += SUCCEEDED(hr = m.graph->Render(output.get())) ? 1 : 0;
    if (rendered == 0)
        return hr;
    return rendered < static_cast<int>(outputs.size()) ? VFW_S_PARTIAL_RENDER : S_OK;
}

// DirectShow first, as every file always went; our reader only where the graph renders nothing.
HRESULT render(MediaSession& session, MediaContext& m, const std::wstring& path, const MediaPlan& plan,
               bool& ownSource) {
    if (!mayHoldMedia(path))
        return VFW_E_NOT_FOUND;
    offerAbort(session, m.graph.get());
    HRESULT hr;
    if (plan.route == MediaRoute::RenderFile) {
        hr = m.graph->RenderFile(path.c_str(), nullptr);
    } else {
        if (plan.realMediaFilters)
            addRealMediaFilters(m.graph.get());
        hr = renderThroughSource(session, m, path);
    }
    session.offerAbort({});
    if (SUCCEEDED(hr))
        return hr;
    hr = renderThroughReader(m, path);
    ownSource = SUCCEEDED(hr);
    return hr;
}
} // namespace

OpenedFacts openFile(MediaSession& session, MediaContext& m, const std::wstring& path, const MediaPlan& plan,
                     double rate, bool cursorHidden) {
    OpenedFacts facts;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(&m.graph))))
        return facts;
    facts.made = true;
    createVideoRenderer(m);
    bool ownSource = false;
    HRESULT rendered = render(session, m, path, plan, ownSource);
    session.offerAbort({});
    facts.rendered = SUCCEEDED(rendered);
    removeUnconnectedRenderer(m);
    m.graph.queryInterface(m.control);
    if (SUCCEEDED(m.graph.queryInterface(m.seeking))) {
        if (FAILED(m.seeking->GetDuration(&m.duration)) || m.duration < 0)
            m.duration = 0;
        if (rate != 1.0)
            m.seeking->SetRate(rate);
    }
    if (SUCCEEDED(m.graph.queryInterface(m.events)))
        m.events->SetNotifyWindow(reinterpret_cast<OAHWND>(session.eventWindow()), MediaSession::eventMessage,
                                  0);
    // Our source moves all its streams when a running graph is sought.
    m.stopToSeek = runningOnWine() && !ownSource;
    facts.duration = m.duration;
    facts.seekable = m.seeking && m.duration > 0;
    updateVideoSize(m, cursorHidden, facts);
    return facts;
}

void applyPlaybackState(MediaContext& m, PlaybackState state) {
    m.frameStep.reset(); // the next frame step pauses first
    switch (state) {
    case Paused:
        if (m.control)
            m.control->Pause();
        else if (m.flashHost)
            haltFlash(*m.flashHost);
        break;
    case Playing:
        if (m.control)
            m.control->Run();
        else if (m.flashHost)
            playFlash(*m.flashHost);
        break;
    case Stepping:
        stepFrame(m);
        break;
    case Stopped:
        break;
    }
}

void stepFrame(MediaContext& m) {
    if (m.frameStep) {
        m.frameStep->Step(1, nullptr);
    } else if (m.graph && SUCCEEDED(m.graph.queryInterface(m.frameStep))) {
        if (m.control)
            m.control->Pause();
    }
}

bool readPosition(MediaContext& m, LONGLONG* position) {
    if (m.flashHost)
        playOnIfHaltedEarly(*m.flashHost); // a movie that stopped itself midway plays on
    return m.seeking && SUCCEEDED(m.seeking->GetCurrentPosition(position));
}

void seekMedium(MediaContext& m, LONGLONG target, PlaybackState state) {
    if (!m.seeking)
        return;
    bool restart = m.stopToSeek && m.control && state != Stopped;
    if (restart)
        m.control->Stop();
    m.seeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    if (restart || (m.flashHost && state == Playing)) // a movie halts on the frame it is sent to
        applyPlaybackState(m, state);
}

void releaseContext(MediaContext& m) {
    // No more events from a graph that is going away.
    if (m.events)
        m.events->SetNotifyWindow(0, 0, 0);
    // The renderer's window is hidden before the graph stops. It stays the display window's child
    // until the renderer destroys it: made a top-level window, it would take the activation from the
    // player (Wine hands it over), and the hint or nothing would get it back.
    if (m.videoWindow)
        m.videoWindow->put_Visible(OAFALSE);
    m.videoWindow.reset();
    m.windowless.reset();
    if (m.control) {
        m.control->Stop();
        m.control.reset();
    }
    m.seeking.reset();
    m.events.reset();
    m.frameStep.reset();
    m.dvdControl.reset();
    m.dvdInfo.reset();
    m.dvdBuilder.reset();
    m.graph.reset();
    m.flashHost.reset();
    m.duration = 0;
}

void handleGraphEvents(MediaSession& session, MediaContext& m) {
    long code;
    LONG_PTR param1, param2;
    while (m.events && SUCCEEDED(m.events->GetEvent(&code, &param1, &param2, 0))) {
        switch (code) {
        case EC_COMPLETE:
            session.report([] { takeEnd(true); });
            break;
        case EC_ERRORABORT:
        case EC_USERABORT:
        case EC_ERROR_STILLPLAYING:
            session.report([] { takeEnd(false); });
            break;
        default:
            handleDvdEvent(session, m, code, param1, param2);
            break;
        }
        if (m.events)
            m.events->FreeEventParams(code, param1, param2);
    }
}
