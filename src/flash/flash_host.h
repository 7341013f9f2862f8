// The Shockwave Flash control embedded in a window as an in-place active OLE object, with the
// faces (control, seeking, video window) through which the engine drives a movie as any medium.
// Positions and durations on those faces are frames.
#pragma once
#include <windows.h>

#include <memory>

class CFlashWnd;
// The engine owns a host's life: references taken on its faces only count.
struct FlashHostDeleter {
    void operator()(CFlashWnd* host) const;
};
using FlashHostPtr = std::unique_ptr<CFlashWnd, FlashHostDeleter>;

// The control's class, its published (dual) interface and its events.
extern const CLSID CLSID_ShockwaveFlash;
extern const IID IID_IShockwaveFlash, DIID_IShockwaveFlashEvents;

// A host whose control is created, sited over `parent`'s client area and shown; null when any
// step failed, the control not being registered among them.
FlashHostPtr createFlashHost(HWND parent);
// The host's identity, of which the engine asks the faces (each with a reference of its own).
IUnknown* flashHostIdentity(CFlashWnd& host);
// Play and Stop on the control itself, for a host whose control face is not held.
HRESULT playFlash(CFlashWnd& host);
HRESULT haltFlash(CFlashWnd& host);
// Plays on a movie that halted by itself before its last two frames; reading its position alone
// never does.
HRESULT playOnIfHaltedEarly(CFlashWnd& host);
