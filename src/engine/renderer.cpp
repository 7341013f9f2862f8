#include "engine/renderer.h"

#include "engine/media.h"

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
} // namespace

HRESULT createVideoRenderer() {
    ComPtr<IBaseFilter> renderer;
    HRESULT hr = CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&renderer));
    if (FAILED(hr))
        return hr;
    hr = media.graph->AddFilter(renderer.get(), kRendererName);
    if (FAILED(hr))
        return hr;
    ComPtr<IVMRFilterConfig> config;
    if (SUCCEEDED(renderer.queryInterface(config)))
        config->SetRenderingMode(VMRMode_Windowless);
    hr = renderer.queryInterface(media.windowless);
    if (SUCCEEDED(hr)) {
        media.windowless->SetVideoClippingWindow(engineVideoWindow);
        media.windowless->SetBorderColor(0);
        media.windowless->SetAspectRatioMode(VMR_ARMODE_LETTER_BOX);
    }
    return hr;
}

void removeUnconnectedRenderer() {
    ComPtr<IBaseFilter> renderer;
    if (!media.graph || FAILED(media.graph->FindFilterByName(kRendererName, &renderer)) || !renderer)
        return;
    if (!hasUnconnectedInput(renderer.get()))
        return;
    media.windowless.reset();
    media.graph->RemoveFilter(renderer.get());
}

void updateVideoSize() {
    nativeWidth = 0;
    nativeHeight = 0;
    bool done = false;
    if (media.windowless) {
        long w = 0, h = 0;
        if (SUCCEEDED(media.windowless->GetNativeVideoSize(&w, &h, nullptr, nullptr)) && w >= 1 && h >= 1) {
            nativeWidth = w;
            nativeHeight = h;
            done = true;
        } else {
            media.windowless.reset();
        }
    }
    if (!done &&
        (media.videoWindow || (media.graph && SUCCEEDED(media.graph.queryInterface(media.videoWindow))))) {
        long visible = 0;
        if (FAILED(media.videoWindow->get_Visible(&visible))) {
            media.videoWindow.reset();
        } else {
            media.videoWindow->put_Owner(reinterpret_cast<OAHWND>(engineVideoWindow));
            media.videoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(engineVideoWindow));
            media.videoWindow->put_WindowStyle(kVideoWindowStyle);
            media.videoWindow->HideCursor(cursorHidden ? OATRUE : OAFALSE);
        }
        if (!media.graph) {
            nativeWidth = 640;
            nativeHeight = 360;
        } else {
            ComPtr<IBasicVideo> basic;
            if (SUCCEEDED(media.graph.queryInterface(basic))) {
                long w = 0, h = 0;
                basic->get_VideoWidth(&w);
                basic->get_VideoHeight(&h);
                nativeWidth = w;
                nativeHeight = h;
            }
        }
    }
    if (nativeWidth <= 0)
        nativeWidth = 320;
    if (nativeHeight <= 0)
        nativeHeight = 180;
    engineNotices.videoSizeKnown();
}

void hideVideoCursor(bool hidden) {
    cursorHidden = hidden;
    if (media.videoWindow)
        media.videoWindow->HideCursor(hidden ? OATRUE : OAFALSE);
}
