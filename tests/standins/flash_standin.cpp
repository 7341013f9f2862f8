// The Shockwave Flash control the test prefix registers (`wine regsvr32 /s flash_standin.dll`), as
// no Flash player is packaged for these machines. It has the control's class, the names of its
// published interface (called through IDispatch, as the player does) and its events. A movie is
// a real SWF file: its header gives the frame count and rate; the frames advance on a timer while
// it plays and stop on the last one; its window shows the frame number on a colour of its own,
// and every tenth frame fires an event. Each call the player makes is a line in the file
// ZON_FLASH_LOG names, as "<member> <arguments>".
#include "com_server.h"
#include "win32/com_ptr.h"

#include <ocidl.h>
#include <oleidl.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
using standin::offer;
const wchar_t kServerKey[] = L"CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}\\InprocServer32";
const CLSID kClass = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID kControl = {0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID kEvents = {0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// Logs "<member> <arguments>" and answers hr.
#define logged(...) standin::logTo(L"ZON_FLASH_LOG", __VA_ARGS__)

// Frames and frames a second of an uncompressed SWF file ("FWS"), from the bits after its frame
// rectangle; none for anything else.
struct Movie {
    long frames = 0;
    double rate = 0;
};
Movie readMovie(const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (b.size() < 9 || std::memcmp(b.data(), "FWS", 3) != 0)
        return {};
    std::size_t at = 8 + (5 + 4 * (b[8] >> 3) + 7) / 8; // the rectangle: 5 bits of size, 4 numbers
    if (b.size() < at + 4)
        return {};
    return {b[at + 2] | b[at + 3] << 8, b[at + 1] + b[at] / 256.0};
}

// The members of the published interface the player calls, by their names.
const wchar_t* const kMembers[] = {L"LoadMovie",       L"Play",        L"Stop",      L"IsPlaying",
                                   L"CurrentFrame",    L"TotalFrames", L"GotoFrame", L"Scale",
                                   L"BackgroundColor", L"EmbedMovie"};
enum Member { Load = 1, Play, Stop, IsPlaying, CurrentFrame, TotalFrames, Goto, Scale, Color, Embed };

class Control final : public IOleObject,
                      public IOleInPlaceObject,
                      public IConnectionPointContainer,
                      public IConnectionPoint,
                      public IDispatch,
                      public standin::Live {
public:
    ~Control() { DestroyWindow(window_); }
    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IOleInPlaceObject || iid == IID_IOleWindow)
            return offer(out, static_cast<IOleInPlaceObject*>(this), true);
        if (iid == IID_IConnectionPointContainer)
            return offer(out, static_cast<IConnectionPointContainer*>(this), true);
        if (iid == kControl || iid == IID_IDispatch)
            return offer(out, static_cast<IDispatch*>(this), true);
        return offer(out, static_cast<IOleObject*>(this), iid == IID_IUnknown || iid == IID_IOleObject);
    }
    STANDIN_REFERENCE_COUNTING

    // The OLE object: sited, shown in place over the site's window, closed.
    HRESULT WINAPI SetClientSite(IOleClientSite* site) override {
        site_.reset();
        if (site != nullptr)
            site->AddRef(), site_ = ComPtr<IOleClientSite>::adopt(site);
        return logged(S_OK, "SetClientSite %s", site != nullptr ? "site" : "none");
    }
    HRESULT WINAPI DoVerb(LONG verb, LPMSG, IOleClientSite* active, LONG, HWND, LPCRECT) override;
    HRESULT WINAPI Close(DWORD option) override {
        KillTimer(window_, 1);
        if (inPlaceSite_)
            inPlaceSite_->OnInPlaceDeactivate(), inPlaceSite_.reset();
        DestroyWindow(std::exchange(window_, nullptr));
        return logged(S_OK, "Close %lu", option);
    }
    // clang-format off
    NOT_IMPLEMENTED(GetClientSite, IOleClientSite**); NOT_IMPLEMENTED(GetUserClassID, CLSID*);
    NOT_IMPLEMENTED(GetMiscStatus, DWORD, DWORD*); NOT_IMPLEMENTED(SetHostNames, LPCOLESTR, LPCOLESTR);
    NOT_IMPLEMENTED(SetMoniker, DWORD, IMoniker*); NOT_IMPLEMENTED(GetMoniker, DWORD, DWORD, IMoniker**);
    NOT_IMPLEMENTED(InitFromData, IDataObject*, BOOL, DWORD);
    NOT_IMPLEMENTED(GetClipboardData, DWORD, IDataObject**); NOT_IMPLEMENTED(EnumVerbs, IEnumOLEVERB**);
    NOT_IMPLEMENTED(Update); NOT_IMPLEMENTED(IsUpToDate); NOT_IMPLEMENTED(GetUserType, DWORD, LPOLESTR*);
    NOT_IMPLEMENTED(SetExtent, DWORD, SIZEL*); NOT_IMPLEMENTED(GetExtent, DWORD, SIZEL*);
    NOT_IMPLEMENTED(Advise, IAdviseSink*, DWORD*); NOT_IMPLEMENTED(EnumAdvise, IEnumSTATDATA**);
    NOT_IMPLEMENTED(SetColorScheme, LOGPALETTE*); NOT_IMPLEMENTED(ContextSensitiveHelp, BOOL);
    NOT_IMPLEMENTED(InPlaceDeactivate); NOT_IMPLEMENTED(UIDeactivate); NOT_IMPLEMENTED(ReactivateAndUndo);
    NOT_IMPLEMENTED(EnumConnectionPoints, IEnumConnectionPoints**);
    NOT_IMPLEMENTED(EnumConnections, IEnumConnections**); NOT_IMPLEMENTED(GetConnectionInterface, IID*);
    NOT_IMPLEMENTED(GetConnectionPointContainer, IConnectionPointContainer**);
    NOT_IMPLEMENTED(GetTypeInfoCount, UINT*); NOT_IMPLEMENTED(GetTypeInfo, UINT, LCID, ITypeInfo**);
    // clang-format on

    // In place: the window and its rectangle.
    HRESULT WINAPI GetWindow(HWND* window) override { return *window = window_, window_ ? S_OK : E_FAIL; }
    HRESULT WINAPI SetObjectRects(LPCRECT position, LPCRECT) override {
        if (window_ != nullptr)
            MoveWindow(window_, position->left, position->top, position->right - position->left,
                       position->bottom - position->top, TRUE);
        return logged(S_OK, "SetObjectRects %ld %ld %ld %ld", position->left, position->top, position->right,
                      position->bottom);
    }

    // The events' one connection point.
    HRESULT WINAPI FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        return offer(reinterpret_cast<void**>(point), static_cast<IConnectionPoint*>(this), iid == kEvents);
    }
    HRESULT WINAPI Advise(IUnknown* sink, DWORD* cookie) override {
        if (sinks_ || FAILED(sink->QueryInterface(kEvents, reinterpret_cast<void**>(&sinks_))))
            return CONNECT_E_CANNOTCONNECT;
        return *cookie = 1, logged(S_OK, "Advise");
    }
    HRESULT WINAPI Unadvise(DWORD cookie) override {
        if (cookie != 1 || !sinks_)
            return CONNECT_E_NOCONNECTION;
        return sinks_.reset(), logged(S_OK, "Unadvise");
    }

    // The published interface, by name.
    HRESULT WINAPI GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (DISPID m = 0; m < static_cast<DISPID>(std::size(kMembers)); ++m)
                if (lstrcmpiW(names[i], kMembers[m]) == 0)
                    ids[i] = m + 1;
            if (ids[i] == DISPID_UNKNOWN)
                return DISP_E_UNKNOWNNAME;
        }
        return S_OK;
    }
    HRESULT WINAPI Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                          UINT*) override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void advance();
    void paint(HDC dc) const;

    LONG refs_ = 1;
    ComPtr<IOleClientSite> site_;
    ComPtr<IOleInPlaceSite> inPlaceSite_;
    ComPtr<IDispatch> sinks_;
    HWND window_ = nullptr;
    Movie movie_;
    long frame_ = 0;
    bool playing_ = false;
};

HRESULT Control::DoVerb(LONG verb, LPMSG, IOleClientSite* active, LONG, HWND, LPCRECT) {
    HWND parent = nullptr;
    RECT position = {}, clip = {};
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    OLEINPLACEFRAMEINFO info = {sizeof info, FALSE, nullptr, nullptr, 0};
    if (active == nullptr ||
        FAILED(active->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite_))) ||
        inPlaceSite_->CanInPlaceActivate() != S_OK || FAILED(inPlaceSite_->OnInPlaceActivate()) ||
        FAILED(inPlaceSite_->GetWindow(&parent)) ||
        FAILED(inPlaceSite_->GetWindowContext(&frame, &document, &position, &clip, &info)))
        return logged(E_FAIL, "DoVerb %ld failed", verb);
    WNDCLASSW type = {};
    type.lpfnWndProc = windowProc, type.hInstance = reinterpret_cast<HINSTANCE>(&__ImageBase);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW), type.lpszClassName = L"Flash Stand-in";
    RegisterClassW(&type);
    window_ = CreateWindowExW(0, type.lpszClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                              position.left, position.top, position.right - position.left,
                              position.bottom - position.top, parent, nullptr, type.hInstance, this);
    inPlaceSite_->OnUIActivate();
    return logged(window_ != nullptr ? S_OK : E_FAIL, "DoVerb %ld", verb);
}

HRESULT Control::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) {
    VARIANT* args = params != nullptr ? params->rgvarg : nullptr; // the last argument first
    auto answer = [&](long value, VARTYPE type) {
        if (result != nullptr)
            VariantInit(result), result->vt = VT_I4, result->lVal = value;
        return result != nullptr ? VariantChangeType(result, result, 0, type) : S_OK;
    };
    switch (member) {
    case Load:
        movie_ = readMovie(args[0].bstrVal);
        frame_ = 0;
        playing_ = movie_.frames > 1;
        KillTimer(window_, 1);
        if (playing_)
            SetTimer(window_, 1, static_cast<UINT>(1000 / (movie_.rate > 0 ? movie_.rate : 12)), nullptr);
        InvalidateRect(window_, nullptr, TRUE);
        return logged(S_OK, "LoadMovie %ld %ls %ld", args[1].lVal, args[0].bstrVal, movie_.frames);
    case Play:
        playing_ = frame_ + 1 < movie_.frames;
        return logged(S_OK, "Play");
    case Stop:
        playing_ = false;
        return logged(S_OK, "Stop");
    case IsPlaying:
        return answer(playing_, VT_BOOL);
    case CurrentFrame:
        return answer(frame_, VT_I4);
    case TotalFrames:
        return answer(movie_.frames, VT_I4);
    case Goto:
        frame_ = args[0].lVal;
        InvalidateRect(window_, nullptr, TRUE);
        return logged(S_OK, "GotoFrame %ld", args[0].lVal);
    case Scale:
        return logged(S_OK, "Scale %ls", args[0].bstrVal);
    case Color:
        return logged(S_OK, "BackgroundColor %06lx", args[0].lVal);
    case Embed:
        return logged(S_OK, "EmbedMovie %d", args[0].boolVal);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

// A frame on: the last one halts the movie; every tenth fires an event (OnProgress, its percent).
void Control::advance() {
    if (!playing_ || frame_ + 1 >= movie_.frames)
        return void(playing_ = false);
    playing_ = ++frame_ + 1 < movie_.frames;
    InvalidateRect(window_, nullptr, TRUE);
    if (frame_ % 10 == 0 && sinks_) {
        VARIANT percent = {}; // VT_EMPTY, as VariantInit leaves it
        percent.vt = VT_I4, percent.lVal = frame_ * 100 / movie_.frames;
        DISPPARAMS params = {&percent, nullptr, 1, 0};
        HRESULT hr = sinks_->Invoke(0x7a6, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        logged(S_OK, "OnProgress %ld answered %lx", percent.lVal, static_cast<unsigned long>(hr));
    }
}

// The frame number on a colour that changes with each frame.
void Control::paint(HDC dc) const {
    RECT r;
    GetClientRect(window_, &r);
    HBRUSH brush = CreateSolidBrush(RGB(40 + frame_ * 37 % 200, 200 - frame_ * 13 % 150, 90));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    wchar_t text[32];
    wsprintfW(text, L"%ld / %ld", frame_ + 1, movie_.frames);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK Control::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_TIMER:
        control->advance();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        control->paint(BeginPaint(window, &ps));
        EndPaint(window, &ps);
        return 0;
    }
    case WM_RBUTTONDOWN: // the control's own menu, which a host should never let open
        logged(S_OK, "ContextMenu");
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

standin::Factory<Control> factory;
} // namespace

STANDIN_SERVER_ENTRIES(kClass, kServerKey, factory)
