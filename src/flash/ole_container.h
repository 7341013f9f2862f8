// A container of one OLE control, in place over its parent window's client area: the client site
// and in-place site the control is given, and its creation. Control: the control's interface.
#pragma once
#include "win32/com_ptr.h"

#include <oleidl.h>

template <class Control> class COleContainerWnd : public IOleClientSite, public IOleInPlaceSite {
public:
    virtual ~COleContainerWnd() = default;

    // Creates the control of `id` over `parent`, sites it, fits it to the client area and shows
    // it; false when any step failed (what was obtained stays held, for the teardown).
    virtual bool Create(REFCLSID id, REFIID controlInterface, HWND parent) {
        hostWindow = parent;
        RECT client = {};
        GetClientRect(parent, &client);
        HRESULT hr = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IOleObject,
                                      reinterpret_cast<void**>(&oleObject));
        if (hr == REGDB_E_CLASSNOTREG)
            OnClassNotRegistered();
        if (FAILED(hr) || FAILED(oleObject->SetClientSite(this)) ||
            FAILED(oleObject->QueryInterface(controlInterface, reinterpret_cast<void**>(&control))) ||
            FAILED(
                oleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlaceObject))))
            return false;
        inPlaceObject->SetObjectRects(&client, &client);
        return OnAfterCreate() &&
               SUCCEEDED(oleObject->DoVerb(OLEIVERB_SHOW, nullptr, this, 0, nullptr, nullptr));
    }
    virtual void OnClassNotRegistered() {}
    virtual bool OnAfterCreate() { return true; }

    // The client site.
    HRESULT WINAPI SaveObject() override { return E_NOTIMPL; }
    HRESULT WINAPI GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT WINAPI GetContainer(IOleContainer** container) override {
        if (container != nullptr)
            *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT WINAPI ShowObject() override { return S_OK; }
    HRESULT WINAPI OnShowWindow(BOOL) override { return E_NOTIMPL; }
    HRESULT WINAPI RequestNewObjectLayout() override { return E_NOTIMPL; }

    // The in-place site: the control fills the host window's client area.
    HRESULT WINAPI GetWindow(HWND* window) override {
        if (window == nullptr)
            return E_POINTER;
        *window = hostWindow;
        return S_OK;
    }
    HRESULT WINAPI ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT WINAPI CanInPlaceActivate() override { return S_OK; }
    HRESULT WINAPI OnInPlaceActivate() override { return S_OK; }
    HRESULT WINAPI OnUIActivate() override { return S_OK; }
    HRESULT WINAPI GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                    LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        if (frame != nullptr)
            *frame = nullptr;
        if (document != nullptr)
            *document = nullptr;
        RECT client = {};
        GetClientRect(hostWindow, &client);
        if (position != nullptr)
            *position = client;
        if (clip != nullptr)
            *clip = client;
        if (info != nullptr) { // its size is the caller's
            info->fMDIApp = FALSE;
            info->hwndFrame = hostWindow;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    HRESULT WINAPI Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT WINAPI OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT WINAPI OnInPlaceDeactivate() override { return S_OK; }
    HRESULT WINAPI DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT WINAPI DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT WINAPI OnPosRectChange(LPCRECT) override { return S_OK; }

protected:
    ComPtr<Control> control;
    ComPtr<IOleObject> oleObject;
    ComPtr<IOleInPlaceObject> inPlaceObject;
    HWND hostWindow = nullptr;
};
