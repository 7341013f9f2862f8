// The Shockwave Flash control's published interface, called by member name through the dispatch
// half of its dual interface: the program depends on the names the control publishes, not on the
// order of its methods.
#pragma once
#include <oaidl.h>
#include <oleauto.h>

// A view of the control held elsewhere; every call on a null control answers E_POINTER.
class FlashControl {
public:
    explicit FlashControl(IDispatch* control) : control_(control) {}

    HRESULT loadMovie(int layer, const wchar_t* url) const;
    HRESULT play() const { return call(L"Play", DISPATCH_METHOD, nullptr, 0, nullptr); }
    HRESULT stop() const { return call(L"Stop", DISPATCH_METHOD, nullptr, 0, nullptr); }
    HRESULT gotoFrame(long frame) const;
    HRESULT isPlaying(bool& playing) const;
    HRESULT currentFrame(long& frame) const { return read(L"CurrentFrame", frame); }
    HRESULT totalFrames(long& frames) const { return read(L"TotalFrames", frames); }
    HRESULT putScale(const wchar_t* scale) const;
    HRESULT putBackgroundColor(long colour) const;
    HRESULT putEmbedMovie(bool embed) const;

private:
    // args in the dispatch order: the last argument first.
    HRESULT call(const wchar_t* name, WORD kind, VARIANT* args, UINT count, VARIANT* result) const;
    HRESULT read(const wchar_t* name, long& value) const;
    HRESULT put(const wchar_t* name, VARIANT& value) const;
    IDispatch* control_;
};
