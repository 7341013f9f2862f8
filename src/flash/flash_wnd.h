// The host of the Shockwave Flash control: an OLE container that is also the movie's event sink
// and, as the FlashMediaAdapter, the control, seeking and video faces of a medium. Every face
// shares one identity and one count, which never destroys the host.
#pragma once
#include "flash/flash_control.h"
#include "flash/flash_host.h"
#include "flash/ole_container.h"
#include "core/transport_math.h"

#include <control.h>
#include <ocidl.h>
#include <strmif.h>

// The control's published interface, called through its dispatch half (FlashControl).
struct IShockwaveFlash : IDispatch {};
// The control's events arrive on a dispatch interface of their own.
struct IShockwaveFlashEvents : IDispatch {};

// What the faces do not support answers S_FALSE and writes nothing.
// clang-format off
#define NOT_SUPPORTED(name, ...) HRESULT WINAPI name(__VA_ARGS__) override { return S_FALSE; }
// clang-format on

class CFlashWnd final : public COleContainerWnd<IShockwaveFlash>,
                        public IShockwaveFlashEvents,
                        public IMediaControl,
                        public IMediaSeeking,
                        public IVideoWindow {
public:
    bool OnAfterCreate() override;
    // The movie unloaded, the events cut, the object closed and every reference given back.
    void tearDown();
    // The control window's input no longer goes to the drain window.
    void stopDraining();
    // The movie's position in frames, and whether a movie that halted by itself is to play on.
    HRESULT framePosition(FlashPosition* at);

    // Every face: one identity and one count, which never destroys the host.
    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override;
    ULONG WINAPI AddRef() override { return static_cast<ULONG>(++referenceCount); }
    ULONG WINAPI Release() override { return static_cast<ULONG>(--referenceCount); }

    // The dispatch halves of the events, the control and the video window: every event is taken.
    HRESULT WINAPI GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT WINAPI GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT WINAPI GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT WINAPI Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return S_OK;
    }

    // The control face.
    HRESULT WINAPI Run() override { return flash().play(); }
    HRESULT WINAPI Pause() override { return flash().stop(); } // halts on the frame shown
    HRESULT WINAPI Stop() override {
        tearDown();
        return S_OK;
    }
    HRESULT WINAPI RenderFile(BSTR path) override { return flash().loadMovie(0, path); }
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
        return inPlaceObject ? inPlaceObject->SetObjectRects(&r, &r) : E_POINTER;
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

    FlashControl flash() const { return FlashControl(control.get()); }

private:
    ComPtr<IConnectionPointContainer> connectionPoints;
    ComPtr<IConnectionPoint> eventPoint;
    DWORD adviseCookie = 0;
    LONG referenceCount = 0;

public:
    // The drained control window, where its input goes first, and its own procedure.
    HWND drainWindow = nullptr, drainedWindow = nullptr;
    WNDPROC drainedProc = nullptr;
};

#undef NOT_SUPPORTED
