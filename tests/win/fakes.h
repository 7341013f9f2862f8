// Stand-ins for COM objects that Wine lacks or that a test must watch: one IUnknown with the
// reference count a test checks at its end (as the platform's own conformance tests do), and a
// shared log of the calls that matter.
#pragma once
#include "engine/dshow.h"
#include "../standins/com_server.h"

#include <string>
#include <vector>

using CallLog = std::vector<std::string>;

// The reference the object is made with belongs to whoever it is handed to; the object itself
// lives as long as the test, so a count that ends above 0 is a leak and one below is a crash.
template <class Interface> class Fake : public Interface {
public:
    Fake(CallLog* log, const char* name) : log_(log), name_(name) {}
    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        return standin::offer(out, this, iid == IID_IUnknown || iid == __uuidof(Interface));
    }
    ULONG WINAPI AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG WINAPI Release() override {
        if (--refs == 0)
            record("Release");
        return static_cast<ULONG>(refs);
    }
    long refs = 1;

protected:
    // Logs the call and answers S_OK.
    HRESULT record(const std::string& call) {
        if (log_ != nullptr)
            log_->push_back(name_ + "." + call);
        return S_OK;
    }

private:
    CallLog* log_;
    std::string name_;
};

// clang-format off
// The four IDispatch methods, which no test uses.
#define FAKE_DISPATCH                                                                                        \
    NOT_IMPLEMENTED(GetTypeInfoCount, UINT*); NOT_IMPLEMENTED(GetTypeInfo, UINT, LCID, ITypeInfo**);         \
    NOT_IMPLEMENTED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*);                                  \
    NOT_IMPLEMENTED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*);
// clang-format on

// A graph's event queue that records whether notifications are switched off.
class RecordingEvents : public Fake<IMediaEventEx> {
public:
    using Fake::Fake;
    FAKE_DISPATCH
    HRESULT WINAPI SetNotifyWindow(OAHWND window, LONG, LONG_PTR) override {
        return record(window == 0 ? "SetNotifyWindow(none)" : "SetNotifyWindow");
    }
    HRESULT WINAPI GetEvent(LONG*, LONG_PTR*, LONG_PTR*, LONG) override { return E_ABORT; }
    // clang-format off
    NOT_IMPLEMENTED(GetEventHandle, OAEVENT*); NOT_IMPLEMENTED(WaitForCompletion, LONG, LONG*);
    NOT_IMPLEMENTED(CancelDefaultHandling, LONG); NOT_IMPLEMENTED(RestoreDefaultHandling, LONG);
    NOT_IMPLEMENTED(FreeEventParams, LONG, LONG_PTR, LONG_PTR); NOT_IMPLEMENTED(SetNotifyFlags, LONG);
    NOT_IMPLEMENTED(GetNotifyFlags, LONG*);
    // clang-format on
};

// A windowless renderer that reports a given native size and records what it is asked to draw.
class StandInWindowless : public Fake<IVMRWindowlessControl> {
public:
    StandInWindowless(LONG w, LONG h, CallLog* log = nullptr)
        : Fake(log, "windowless"), width_(w), height_(h) {}
    HRESULT WINAPI GetNativeVideoSize(LONG* w, LONG* h, LONG*, LONG*) override {
        return *w = width_, *h = height_, S_OK;
    }
    HRESULT WINAPI SetVideoClippingWindow(HWND) override { return S_OK; }
    HRESULT WINAPI SetBorderColor(COLORREF) override { return S_OK; }
    HRESULT WINAPI SetVideoPosition(const LPRECT, const LPRECT target) override {
        return record("SetVideoPosition " + std::to_string(target->right - target->left));
    }
    HRESULT WINAPI RepaintVideo(HWND, HDC dc) override {
        return record(dc != nullptr ? "RepaintVideo" : "RepaintVideo(none)");
    }
    HRESULT WINAPI DisplayModeChanged() override { return record("DisplayModeChanged"); }
    // clang-format off
    NOT_IMPLEMENTED(GetMinIdealVideoSize, LONG*, LONG*); NOT_IMPLEMENTED(GetMaxIdealVideoSize, LONG*, LONG*);
    NOT_IMPLEMENTED(GetVideoPosition, LPRECT, LPRECT); NOT_IMPLEMENTED(GetAspectRatioMode, DWORD*);
    NOT_IMPLEMENTED(SetAspectRatioMode, DWORD); NOT_IMPLEMENTED(GetCurrentImage, BYTE**);
    NOT_IMPLEMENTED(GetBorderColor, COLORREF*); NOT_IMPLEMENTED(SetColorKey, COLORREF);
    NOT_IMPLEMENTED(GetColorKey, COLORREF*);
    // clang-format on

private:
    LONG width_, height_;
};
