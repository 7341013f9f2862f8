#include "engine/media.h"

#include "core/command_ids.h"
#include "core/media_path.h"
#include "core/timers.h"
#include "engine/disc.h"
#include "engine/flash.h"
#include "engine/renderer.h"
#include "engine/transport.h"
#include "win32/long_path.h"
#include "win32/wide.h"

MediaContext media;
PlaybackState playbackState = Stopped;
HWND engineNotifyWindow, engineVideoWindow;

namespace {
void nothing() {}
void noPosition(LONGLONG, LONGLONG) {}
void noNumber(int) {}
void noTime(int, int) {}
} // namespace

EngineNotices engineNotices = {nothing, noPosition, nothing,  nothing,  nothing,
                               nothing, nothing,    noNumber, noNumber, noTime};

void attachEngine(HWND notifyWindow, HWND videoWindow) {
    engineNotifyWindow = notifyWindow;
    engineVideoWindow = videoWindow;
}

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
bool mayHoldMedia(const wchar_t* path) {
    if (wcsstr(path, L"://") != nullptr)
        return true;
    DWORD attributes = GetFileAttributesW(extendedPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void renderThroughSource(const wchar_t* path) {
    ComPtr<IBaseFilter> source;
    if (FAILED(media.graph->AddSourceFilter(path, L"SOURCE", &source)))
        return;
    ComPtr<IPin> pin;
    if (SUCCEEDED(findOutputPin(source.get(), &pin)))
        media.graph->Render(pin.get());
}

bool openGraph(wchar_t* path, const MediaPlan& plan) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(&media.graph))))
        return false;
    createVideoRenderer();
    if (!mayHoldMedia(path)) {
        // Nothing to render: the poll finds no length and moves on.
    } else if (plan.route == MediaRoute::RenderFile) {
        media.graph->RenderFile(path, nullptr);
    } else {
        if (plan.realMediaFilters)
            addRealMediaFilters(media.graph.get());
        renderThroughSource(path);
    }
    removeUnconnectedRenderer();
    media.graph.queryInterface(media.control);
    if (SUCCEEDED(media.graph.queryInterface(media.seeking))) {
        media.seeking->GetDuration(&media.duration);
        if (media.playbackRate != 1.0)
            media.seeking->SetRate(media.playbackRate);
    } else {
        media.duration = 0;
    }
    if (SUCCEEDED(media.graph.queryInterface(media.events)))
        media.events->SetNotifyWindow(reinterpret_cast<OAHWND>(engineNotifyWindow), graphNotifyMessage, 0);
    return true;
}
} // namespace

bool openMedia(wchar_t* path) {
    setPlaybackState(Stopped);
    MediaPlan plan = planMedia(lowerExtensionInPlace(asU16(path)));
    if (plan.route == MediaRoute::Flash) {
        if (!openFlashMovie(path))
            return false;
    } else if (!openGraph(path, plan)) {
        return false;
    }
    updateVideoSize();
    setPlaybackState(Playing);
    SetTimer(engineNotifyWindow, kPositionTimer, kPositionTimerPeriod, nullptr);
    return true;
}

void setPlaybackState(PlaybackState state) {
    if (state == playbackState)
        return;
    media.frameStep.reset();
    playbackState = state;
    engineNotices.stateChanged();
    switch (state) {
    case Stopped:
        stopPlayback();
        break;
    case Paused:
        if (media.control)
            media.control->Pause();
        else if (media.flashHost)
            haltFlashMovie();
        break;
    case Playing:
        if (media.control)
            media.control->Run();
        else if (media.flashHost)
            playFlashMovie();
        else
            engineNotices.playWanted();
        break;
    case Stepping:
        stepFrame();
        break;
    }
}

void stopPlayback() {
    closeMedia();
    media.duration = 0;
    engineNotices.playbackStopped();
}

void closeMedia() {
    KillTimer(engineNotifyWindow, kPositionTimer);
    forgetPendingSeek();
    // No more notifications from a graph that is going away.
    if (media.events)
        media.events->SetNotifyWindow(0, 0, 0);
    // The renderer's window is hidden before the graph stops. It stays the display window's
    // child until the renderer destroys it: made a top-level window, it would take the
    // activation from the player (Wine hands it over), and the hint or nothing would get it back.
    if (media.videoWindow)
        media.videoWindow->put_Visible(OAFALSE);
    media.videoWindow.reset();
    media.windowless.reset();
    if (media.control) {
        media.control->Stop();
        media.control.reset();
    }
    media.seeking.reset();
    media.events.reset();
    media.frameStep.reset();
    media.dvdControl.reset();
    media.dvdInfo.reset();
    media.dvdBuilder.reset();
    media.graph.reset();
    media.flashHost.reset();
    engineNotices.mediaReleased();
}

void handleGraphEvents() {
    if (!media.events)
        return;
    long code;
    LONG_PTR param1, param2;
    while (media.events && SUCCEEDED(media.events->GetEvent(&code, &param1, &param2, 0))) {
        handleDvdEvent(code, param1, param2);
        if (media.events)
            media.events->FreeEventParams(code, param1, param2);
    }
}

bool executePlaybackCommand(WORD command) {
    switch (command) {
    case CMD_PLAY_PAUSE:
        setPlaybackState(playbackState == Playing ? Paused : Playing);
        return true;
    case CMD_PAUSE:
        if (playbackState != Paused)
            setPlaybackState(Paused);
        return true;
    case CMD_STOP:
        setPlaybackState(Stopped);
        return true;
    default:
        return false;
    }
}
