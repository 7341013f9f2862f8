#include "engine/renderer.h"

#include "engine/graph.h"
#include "engine/media.h"
#include "engine/medium.h"

int nativeWidth, nativeHeight;

namespace {
bool cursorHidden; // over the picture, as the display window last said
const wchar_t kRendererName[] = L"Video Renderer";
constexpr long kVideoWindowStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

bool hasUnconnectedInput(IBaseFilter* filter) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins)) || !pins)
        return false;
    ComPtr<IPin> pin;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION direction;
        ComPtr<IPin> peer;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_INPUT &&
            FAILED(pin->ConnectedTo(&peer)))
            return true;
    }
    return false;
}

void adoptVideoWindow(MediaContext& m, bool hidden) {
    long visible = 0;
    if (FAILED(m.videoWindow->get_Visible(&visible))) {
        m.videoWindow.reset();
        return;
    }
    m.videoWindow->put_Owner(reinterpret_cast<OAHWND>(engineVideoWindow));
    m.videoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(engineVideoWindow));
    m.videoWindow->put_WindowStyle(kVideoWindowStyle);
    m.videoWindow->HideCursor(hidden ? OATRUE : OAFALSE);
}
} // namespace

void placePicture(const RECT& area, const RECT& fitted) {
    toMedium([area, fitted](MediaSession&, MediaContext& m) {
        if (m.windowless) {
            RECT target = area;
            m.windowless->SetVideoPosition(nullptr, &target);
        } else if (m.videoWindow) {
            m.videoWindow->SetWindowPosition(fitted.left, fitted.top, fitted.right - fitted.left,
                                             fitted.bottom - fitted.top);
        }
    });
}

void repaintPicture() {
    toMedium([](MediaSession&, MediaContext& m) {
        if (!m.windowless)
            return;
        HDC dc = GetDC(engineVideoWindow);
        if (dc != nullptr) {
            m.windowless->RepaintVideo(engineVideoWindow, dc);
            ReleaseDC(engineVideoWindow, dc);
        }
    });
}

void displayModeChanged() {
    toMedium([](MediaSession&, MediaContext& m) {
        if (m.windowless)
            m.windowless->DisplayModeChanged();
    });
}

void hideVideoCursor(bool hidden) {
    cursorHidden = hidden;
    toMedium([hidden](MediaSession&, MediaContext& m) {
        if (m.videoWindow)
            m.videoWindow->HideCursor(hidden ? OATRUE : OAFALSE);
    });
}

bool videoCursorHidden() {
    return cursorHidden;
}

HRESULT createVideoRenderer(MediaContext& m) {
    ComPtr<IBaseFilter> renderer;
    HRESULT hr = CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&renderer));
    if (FAILED(hr))
        return hr;
    hr = m.graph->AddFilter(renderer.get(), kRendererName);
    if (FAILED(hr))
        return hr;
    ComPtr<IVMRFilterConfig> config;
    if (SUCCEEDED(renderer.queryInterface(config)))
        config->SetRenderingMode(VMRMode_Windowless);
    hr = renderer.queryInterface(m.windowless);
    if (SUCCEEDED(hr)) {
        m.windowless->SetVideoClippingWindow(engineVideoWindow);
        m.windowless->SetBorderColor(0);
        m.windowless->SetAspectRatioMode(VMR_ARMODE_LETTER_BOX);
    }
    return hr;
}

void removeUnconnectedRenderer(MediaContext& m) {
    ComPtr<IBaseFilter> renderer;
    if (!m.graph || FAILED(m.graph->FindFilterByName(kRendererName, &renderer)) || !renderer)
        return;
    if (!hasUnconnectedInput(renderer.get()))
        return;
    m.windowless.reset();
    m.graph->RemoveFilter(renderer.get());
}

void updateVideoSize(MediaContext& m, bool hidden, OpenedFacts& facts) {
    long w = 0, h = 0;
    if (m.windowless &&
        (FAILED(m.windowless->GetNativeVideoSize(&w, &h, nullptr, nullptr)) || w < 1 || h < 1)) {
        m.windowless.reset();
        w = h = 0;
    }
    if (!m.windowless && (m.videoWindow || (m.graph && SUCCEEDED(m.graph.queryInterface(m.videoWindow))))) {
        adoptVideoWindow(m, hidden);
        ComPtr<IBasicVideo> basic;
        if (!m.graph) {
            w = 640; // a movie is laid out at one size, whatever its stage
            h = 360;
        } else if (SUCCEEDED(m.graph.queryInterface(basic))) {
            basic->get_VideoWidth(&w);
            basic->get_VideoHeight(&h);
        }
    }
    facts.windowless = static_cast<bool>(m.windowless);
    facts.videoWindow = static_cast<bool>(m.videoWindow);
    facts.width = w > 0 ? w : 320;
    facts.height = h > 0 ? h : 180;
}
