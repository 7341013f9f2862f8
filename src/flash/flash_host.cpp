#include "flash/flash_wnd.h"

const CLSID CLSID_ShockwaveFlash = {
    0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID IID_IShockwaveFlash = {
    0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID DIID_IShockwaveFlashEvents = {
    0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

HRESULT CFlashWnd::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown)
        *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleInPlaceSite)
        *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == DIID_IShockwaveFlashEvents)
        *out = static_cast<IShockwaveFlashEvents*>(this);
    else if (iid == IID_IMediaControl)
        *out = static_cast<IMediaControl*>(this);
    else if (iid == IID_IMediaSeeking)
        *out = static_cast<IMediaSeeking*>(this);
    else if (iid == IID_IVideoWindow)
        *out = static_cast<IVideoWindow*>(this);
    else
        return E_NOINTERFACE; // the client site too: the control is handed it, never asks for it
    AddRef();
    return S_OK;
}

// The events reach the sink; the movie is scaled whole on the key colour and kept in the file.
bool CFlashWnd::OnAfterCreate() {
    if (FAILED(control->QueryInterface(IID_IConnectionPointContainer,
                                       reinterpret_cast<void**>(&connectionPoints))) ||
        FAILED(connectionPoints->FindConnectionPoint(DIID_IShockwaveFlashEvents, &eventPoint)) ||
        FAILED(eventPoint->Advise(static_cast<IShockwaveFlashEvents*>(this), &adviseCookie)))
        return false;
    flash().putScale(L"showAll");
    flash().putBackgroundColor(RGB(7, 9, 7)); // the key colour around the picture
    flash().putEmbedMovie(true);
    return true;
}

void CFlashWnd::tearDown() {
    stopDraining();
    if (!control)
        return;
    flash().loadMovie(0, L"blank.swf");
    if (eventPoint) {
        if (adviseCookie != 0)
            eventPoint->Unadvise(std::exchange(adviseCookie, 0));
        eventPoint.reset();
    }
    connectionPoints.reset();
    if (oleObject) {
        oleObject->Close(OLECLOSE_NOSAVE);
        oleObject->SetClientSite(nullptr);
        oleObject.reset();
    }
    inPlaceObject.reset();
    control.reset();
}

void FlashHostDeleter::operator()(CFlashWnd* host) const {
    host->tearDown();
    delete host;
}

FlashHostPtr createFlashHost(HWND parent) {
    FlashHostPtr host(new CFlashWnd);
    return host->Create(CLSID_ShockwaveFlash, IID_IShockwaveFlash, parent) ? std::move(host) : nullptr;
}

IUnknown* flashHostIdentity(CFlashWnd& host) {
    return static_cast<IOleClientSite*>(&host);
}

HRESULT playFlash(CFlashWnd& host) {
    return host.flash().play();
}

HRESULT haltFlash(CFlashWnd& host) {
    return host.flash().stop();
}
