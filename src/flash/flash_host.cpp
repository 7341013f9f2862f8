#include "flash/flash_host.h"

#include "core/transport_math.h"
#include "flash/flash_control.h"

#include <control.h>
#include <ocidl.h>
#include <oleidl.h>
#include <strmif.h>

const CLSID CLSID_ShockwaveFlash = {
    0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID IID_IShockwaveFlash = {
    0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID DIID_IShockwaveFlashEvents = {
    0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

namespace {
// The control's events arrive on a dispatch interface of their own.
struct FlashEvents : IDispatch {};

// One movie at a time: its window's input goes to the drain window first.
HWND drainWindow, drainedWindow;
WNDPROC drainedProc;

LRESULT CALLBACK drainingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool input = (message >= WM_MOUSEFIRST && message <= WM_MOUSEHWHEEL) ||
                 (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_SETCURSOR;
    if (input && drainWindow != nullptr)
        SendMessageW(drainWindow, message, wParam, lParam);
    if (message == WM_RBUTTONDOWN)
        return 0; // the control's own menu never opens
    return CallWindowProcW(drainedProc, window, message, wParam, lParam);
}

void undrain() {
    if (drainedWindow != nullptr && IsWindow(drainedWindow) &&
        GetWindowLongPtrW(drainedWindow, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(drainingProc))
        SetWindowLongPtrW(drainedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(drainedProc));
    drainWindow = drainedWindow = nullptr;
    drainedProc = nullptr;
}

template <class T> HRESULT none(T** out) {
    if (out != nullptr)
        *out = nullptr;
    return E_NOINTERFACE;
}
} // namespace

// What the faces do not support answers S_FALSE and writes nothing.
// clang-format off
#define NOT_SUPPORTED(name, ...) HRESULT WINAPI name(__VA_ARGS__) override { return S_FALSE; }
// clang-format on

class FlashHost final : public IOleClientSite,
                        public IOleInPlaceSite,
                        public FlashEvents,
                        public IMediaControl,
                        public IMediaSeeking,
                        public IVideoWindow {
public:
    bool create(HWND parent);
    void tearDown();

    // Every face: one identity and one count, which never destroys the host.
    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown)
            *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (iid == DIID_IShockwaveFlashEvents)
            *out = static_cast<FlashEvents*>(this);
        else if (iid == IID_IMediaControl)
            *out = static_cast<IMediaControl*>(this);
        else if (iid == IID_IMediaSeeking)
            *out = static_cast<IMediaSeeking*>(this);
        else if (iid == IID_IVideoWindow)
            *out = static_cast<IVideoWindow*>(this);
        else
            return none(out);
        AddRef();
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG WINAPI Release() override { return static_cast<ULONG>(--references_); }

    // The dispatch halves of the events, the control and the video window: every event is taken.
    HRESULT WINAPI GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT WINAPI GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT WINAPI GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT WINAPI Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return S_OK;
    }

    // The client site.
    HRESULT WINAPI SaveObject() override { return E_NOTIMPL; }
    HRESULT WINAPI GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT WINAPI GetContainer(IOleContainer** out) override { return none(out); }
    HRESULT WINAPI ShowObject() override { return S_OK; }
    HRESULT WINAPI OnShowWindow(BOOL) override { return E_NOTIMPL; }
    HRESULT WINAPI RequestNewObjectLayout() override { return E_NOTIMPL; }

    // The in-place site: the control fills the host window's client area.
    HRESULT WINAPI GetWindow(HWND* window) override {
        if (window == nullptr)
            return E_POINTER;
        *window = hostWindow_;
        return S_OK;
    }
    HRESULT WINAPI ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT WINAPI CanInPlaceActivate() override { return S_OK; }
    HRESULT WINAPI OnInPlaceActivate() override { return S_OK; }
    HRESULT WINAPI OnUIActivate() override { return S_OK; }
    HRESULT WINAPI GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                    LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    HRESULT WINAPI Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT WINAPI OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT WINAPI OnInPlaceDeactivate() override { return S_OK; }
    HRESULT WINAPI DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT WINAPI DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT WINAPI OnPosRectChange(LPCRECT) override { return S_OK; }

    // The control face.
    HRESULT WINAPI Run() override { return control_.play(); }
    HRESULT WINAPI Pause() override { return control_.stop(); } // halts on the frame shown
    HRESULT WINAPI Stop() override {
        tearDown();
        return S_OK;
    }
    HRESULT WINAPI RenderFile(BSTR path) override { return control_.loadMovie(0, path); }
    NOT_SUPPORTED(GetState, LONG, OAFilterState*)
    NOT_SUPPORTED(AddSourceFilter, BSTR, IDispatch**)
    NOT_SUPPORTED(get_FilterCollection, IDispatch**)
    NOT_SUPPORTED(get_RegFilterCollection, IDispatch**)
    NOT_SUPPORTED(StopWhenReady)

    // The seeking face, in frames.
    HRESULT WINAPI GetDuration(LONGLONG* duration) override;
    HRESULT WINAPI GetStopPosition(LONGLONG* stop) override { return GetDuration(stop); }
    HRESULT WINAPI GetCurrentPosition(LONGLONG* position) override;
    HRESULT WINAPI SetPositions(LONGLONG* current, DWORD, LONGLONG*, DWORD) override;
    HRESULT WINAPI GetRate(double* rate) override {
        if (rate == nullptr)
            return E_POINTER;
        *rate = 1.0;
        return S_OK;
    }
    NOT_SUPPORTED(GetCapabilities, DWORD*)
    NOT_SUPPORTED(CheckCapabilities, DWORD*)
    NOT_SUPPORTED(IsFormatSupported, const GUID*)
    NOT_SUPPORTED(QueryPreferredFormat, GUID*)
    NOT_SUPPORTED(GetTimeFormat, GUID*)
    NOT_SUPPORTED(IsUsingTimeFormat, const GUID*)
    NOT_SUPPORTED(SetTimeFormat, const GUID*)
    NOT_SUPPORTED(ConvertTimeFormat, LONGLONG*, const GUID*, LONGLONG, const GUID*)
    NOT_SUPPORTED(GetPositions, LONGLONG*, LONGLONG*)
    NOT_SUPPORTED(GetAvailable, LONGLONG*, LONGLONG*)
    NOT_SUPPORTED(SetRate, double)
    NOT_SUPPORTED(GetPreroll, LONGLONG*)

    // The video face: the control's own window is the picture.
    HRESULT WINAPI get_Visible(LONG*) override { return S_OK; } // the engine's probe succeeds
    HRESULT WINAPI put_MessageDrain(OAHWND drain) override;
    HRESULT WINAPI SetWindowPosition(LONG left, LONG top, LONG width, LONG height) override {
        RECT r = {left, top, left + width, top + height};
        return inPlace_ ? inPlace_->SetObjectRects(&r, &r) : E_POINTER;
    }
    HRESULT WINAPI GetWindowPosition(LONG* left, LONG* top, LONG* width, LONG* height) override;
    NOT_SUPPORTED(put_Caption, BSTR)
    NOT_SUPPORTED(get_Caption, BSTR*)
    NOT_SUPPORTED(put_WindowStyle, LONG)
    NOT_SUPPORTED(get_WindowStyle, LONG*)
    NOT_SUPPORTED(put_WindowStyleEx, LONG)
    NOT_SUPPORTED(get_WindowStyleEx, LONG*)
    NOT_SUPPORTED(put_AutoShow, LONG)
    NOT_SUPPORTED(get_AutoShow, LONG*)
    NOT_SUPPORTED(put_WindowState, LONG)
    NOT_SUPPORTED(get_WindowState, LONG*)
    NOT_SUPPORTED(put_BackgroundPalette, LONG)
    NOT_SUPPORTED(get_BackgroundPalette, LONG*)
    NOT_SUPPORTED(put_Visible, LONG)
    NOT_SUPPORTED(put_Left, LONG)
    NOT_SUPPORTED(get_Left, LONG*)
    NOT_SUPPORTED(put_Width, LONG)
    NOT_SUPPORTED(get_Width, LONG*)
    NOT_SUPPORTED(put_Top, LONG)
    NOT_SUPPORTED(get_Top, LONG*)
    NOT_SUPPORTED(put_Height, LONG)
    NOT_SUPPORTED(get_Height, LONG*)
    NOT_SUPPORTED(put_Owner, OAHWND)
    NOT_SUPPORTED(get_Owner, OAHWND*)
    NOT_SUPPORTED(get_MessageDrain, OAHWND*)
    NOT_SUPPORTED(get_BorderColor, LONG*)
    NOT_SUPPORTED(put_BorderColor, LONG)
    NOT_SUPPORTED(get_FullScreenMode, LONG*)
    NOT_SUPPORTED(put_FullScreenMode, LONG)
    NOT_SUPPORTED(SetWindowForeground, LONG)
    NOT_SUPPORTED(NotifyOwnerMessage, OAHWND, LONG, LONG_PTR, LONG_PTR)
    NOT_SUPPORTED(GetMinIdealImageSize, LONG*, LONG*)
    NOT_SUPPORTED(GetMaxIdealImageSize, LONG*, LONG*)
    NOT_SUPPORTED(GetRestorePosition, LONG*, LONG*, LONG*, LONG*)
    NOT_SUPPORTED(HideCursor, LONG)
    NOT_SUPPORTED(IsCursorHidden, LONG*)

    const FlashControl& control() const { return control_; }

private:
    bool connectEvents();

    FlashControl control_;
    ComPtr<IOleObject> object_;
    ComPtr<IOleInPlaceObject> inPlace_;
    ComPtr<IConnectionPointContainer> points_;
    ComPtr<IConnectionPoint> events_;
    HWND hostWindow_ = nullptr;
    DWORD cookie_ = 0;
    LONG references_ = 0;
};

HRESULT FlashHost::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                    LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame != nullptr)
        *frame = nullptr;
    if (document != nullptr)
        *document = nullptr;
    RECT client = {};
    GetClientRect(hostWindow_, &client);
    if (position != nullptr)
        *position = client;
    if (clip != nullptr)
        *clip = client;
    if (info != nullptr) {
        info->fMDIApp = FALSE;
        info->hwndFrame = hostWindow_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT FlashHost::GetDuration(LONGLONG* duration) {
    if (duration == nullptr)
        return E_POINTER;
    long frames = 0;
    HRESULT hr = control_.totalFrames(frames);
    if (SUCCEEDED(hr))
        *duration = frames;
    return hr;
}

HRESULT FlashHost::GetCurrentPosition(LONGLONG* position) {
    if (position == nullptr)
        return E_POINTER;
    long frame = 0, total = 0;
    bool playing = false;
    HRESULT hr = control_.currentFrame(frame);
    if (SUCCEEDED(hr))
        hr = control_.totalFrames(total);
    if (SUCCEEDED(hr) && frame + 1 != total)
        hr = control_.isPlaying(playing);
    if (FAILED(hr))
        return hr;
    FlashPosition at = flashPositionOf(frame, total, playing);
    if (at.resume)
        control_.play();
    *position = at.position;
    return S_OK;
}

HRESULT FlashHost::SetPositions(LONGLONG* current, DWORD, LONGLONG*, DWORD) {
    long total = 0;
    if (current == nullptr || FAILED(control_.totalFrames(total)) || !flashFrameInRange(*current, total))
        return S_FALSE;
    return control_.gotoFrame(static_cast<long>(*current));
}

HRESULT FlashHost::put_MessageDrain(OAHWND drain) {
    HWND window = nullptr;
    if (!inPlace_ || FAILED(inPlace_->GetWindow(&window)) || window == nullptr)
        return S_FALSE;
    undrain();
    drainWindow = reinterpret_cast<HWND>(drain);
    drainedWindow = window;
    drainedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(drainingProc)));
    return S_FALSE;
}

HRESULT FlashHost::GetWindowPosition(LONG* left, LONG* top, LONG* width, LONG* height) {
    HWND window = nullptr;
    RECT r = {};
    if (inPlace_ && SUCCEEDED(inPlace_->GetWindow(&window)))
        GetWindowRect(window, &r);
    if (left != nullptr)
        *left = r.left;
    if (top != nullptr)
        *top = r.top;
    if (width != nullptr)
        *width = r.right - r.left;
    if (height != nullptr)
        *height = r.bottom - r.top;
    return S_OK;
}

bool FlashHost::connectEvents() {
    if (FAILED(control_.get()->QueryInterface(IID_IConnectionPointContainer,
                                              reinterpret_cast<void**>(&points_))) ||
        FAILED(points_->FindConnectionPoint(DIID_IShockwaveFlashEvents, &events_)) ||
        FAILED(events_->Advise(static_cast<FlashEvents*>(this), &cookie_)))
        return false;
    control_.putScale(L"showAll");
    control_.putBackgroundColor(RGB(7, 9, 7)); // the key colour around the picture
    control_.putEmbedMovie(true);
    return true;
}

bool FlashHost::create(HWND parent) {
    hostWindow_ = parent;
    RECT client = {};
    GetClientRect(parent, &client);
    ComPtr<IDispatch> control;
    if (FAILED(CoCreateInstance(CLSID_ShockwaveFlash, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IOleObject, reinterpret_cast<void**>(&object_))) ||
        FAILED(object_->SetClientSite(this)) ||
        FAILED(object_->QueryInterface(IID_IShockwaveFlash, reinterpret_cast<void**>(&control))))
        return false;
    control_.hold(std::move(control));
    if (FAILED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace_))))
        return false;
    inPlace_->SetObjectRects(&client, &client);
    return connectEvents() && SUCCEEDED(object_->DoVerb(OLEIVERB_SHOW, nullptr, this, 0, nullptr, nullptr));
}

// The movie is unloaded, the events cut, the object closed and every reference given back.
void FlashHost::tearDown() {
    undrain();
    if (!control_)
        return;
    control_.loadMovie(0, L"blank.swf");
    if (events_) {
        if (cookie_ != 0)
            events_->Unadvise(std::exchange(cookie_, 0));
        events_.reset();
    }
    points_.reset();
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.reset();
    }
    inPlace_.reset();
    control_.reset();
}

void FlashHostDeleter::operator()(FlashHost* host) const {
    host->tearDown();
    delete host;
}

FlashHostPtr createFlashHost(HWND parent) {
    FlashHostPtr host(new FlashHost);
    return host->create(parent) ? std::move(host) : nullptr;
}

IUnknown* flashHostIdentity(FlashHost& host) {
    return static_cast<IOleClientSite*>(&host);
}

HRESULT playFlash(FlashHost& host) {
    return host.control().play();
}

HRESULT haltFlash(FlashHost& host) {
    return host.control().stop();
}
