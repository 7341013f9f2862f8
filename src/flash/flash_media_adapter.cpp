#include "flash/flash_wnd.h"

#include "core/transport_math.h"

namespace {
// The host whose control window is drained, found through the window itself: movies on two
// threads at once (one closing, the next opening) each drain their own.
const wchar_t kDrainingHost[] = L"Zon Draining Host";

LRESULT CALLBACK drainingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = static_cast<CFlashWnd*>(GetPropW(window, kDrainingHost));
    if (host == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    bool input = (message >= WM_MOUSEFIRST && message <= WM_MOUSEHWHEEL) ||
                 (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_SETCURSOR;
    if (input && host->drainWindow != nullptr)
        SendMessageW(host->drainWindow, message, wParam, lParam);
    if (message == WM_RBUTTONDOWN)
        return 0; // the control's own menu never opens
    return CallWindowProcW(host->drainedProc, window, message, wParam, lParam);
}
} // namespace

HRESULT CFlashWnd::GetDuration(LONGLONG* duration) {
    if (duration == nullptr)
        return E_POINTER;
    long frames = 0;
    HRESULT hr = flash().totalFrames(frames);
    if (SUCCEEDED(hr))
        *duration = frames;
    return hr;
}

HRESULT CFlashWnd::framePosition(FlashPosition* at) {
    long frame = 0, total = 0;
    bool playing = false;
    HRESULT hr = flash().currentFrame(frame);
    if (SUCCEEDED(hr))
        hr = flash().totalFrames(total);
    if (SUCCEEDED(hr) && frame + 1 != total)
        hr = flash().isPlaying(playing);
    if (SUCCEEDED(hr))
        *at = flashPositionOf(frame, total, playing);
    return hr;
}

// Reading the position changes nothing: a paused movie stays paused.
HRESULT CFlashWnd::GetCurrentPosition(LONGLONG* position) {
    if (position == nullptr)
        return E_POINTER;
    FlashPosition at = {};
    HRESULT hr = framePosition(&at);
    if (SUCCEEDED(hr))
        *position = at.position;
    return hr;
}

HRESULT CFlashWnd::SetPositions(LONGLONG* current, DWORD, LONGLONG*, DWORD) {
    long total = 0;
    if (current == nullptr || FAILED(flash().totalFrames(total)) || !flashFrameInRange(*current, total))
        return S_FALSE;
    return flash().gotoFrame(static_cast<long>(*current));
}

HRESULT CFlashWnd::put_MessageDrain(OAHWND drain) {
    HWND window = nullptr;
    if (!inPlaceObject || FAILED(inPlaceObject->GetWindow(&window)) || window == nullptr)
        return S_FALSE;
    stopDraining();
    if (!SetPropW(window, kDrainingHost, this))
        return S_FALSE;
    drainWindow = reinterpret_cast<HWND>(drain);
    drainedWindow = window;
    drainedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(drainingProc)));
    return S_FALSE;
}

HRESULT CFlashWnd::GetWindowPosition(LONG* left, LONG* top, LONG* width, LONG* height) {
    HWND window = nullptr;
    RECT r = {};
    if (inPlaceObject && SUCCEEDED(inPlaceObject->GetWindow(&window)))
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

void CFlashWnd::stopDraining() {
    if (drainedWindow != nullptr && IsWindow(drainedWindow)) {
        if (GetWindowLongPtrW(drainedWindow, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(drainingProc))
            SetWindowLongPtrW(drainedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(drainedProc));
        RemovePropW(drainedWindow, kDrainingHost);
    }
    drainWindow = drainedWindow = nullptr;
    drainedProc = nullptr;
}

HRESULT playOnIfHaltedEarly(CFlashWnd& host) {
    FlashPosition at = {};
    HRESULT hr = host.framePosition(&at);
    return SUCCEEDED(hr) && at.resume ? host.flash().play() : hr;
}
