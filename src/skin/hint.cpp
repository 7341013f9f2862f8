#include "skin/hint.h"

#include "core/hint_layout.h"
#include "core/timers.h"
#include "skin/skin.h"
#include "win32/guards.h"
#include "win32/rects.h"

HWND hintWindow;
HintMode hintMode = HintMode::Hidden;
wchar_t hintText[260];

namespace {
// The level the volume hint shows (-1: unknown) and whether the sound is off.
int shownPercent = -1;
bool shownMuted;
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

void paintText(HWND window) {
    WindowDc dc(window);
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, keyBrush);
    SetTextColor(dc, kGreen);
    SetBkMode(dc, TRANSPARENT);
    Selection font(dc, uiFont);
    DrawTextW(dc, hintText, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_PATH_ELLIPSIS | DT_NOPREFIX);
}

void paintVolume(HWND window) {
    WindowDc dc(window);
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, keyBrush);
    GdiObject<HBRUSH> brush(CreateSolidBrush(shownMuted ? kRed : kGreen));
    VolumeBars bars = volumeBars(r.right, r.bottom, shownPercent);
    for (const auto* set : {&bars.lit, &bars.unlit})
        for (const Rect& b : *set) {
            RECT bar = winRect(b);
            FillRect(dc, &bar, brush);
        }
}

LRESULT CALLBACK hintWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        if (hintMode == HintMode::Volume)
            paintVolume(window);
        else
            paintText(window);
        return 1;
    case WM_NCHITTEST:
        return HTTRANSPARENT; // clicks and moves go to the video beneath
    case WM_TIMER:
        KillTimer(window, wParam);
        ShowWindow(window, SW_HIDE);
        hintMode = HintMode::Hidden;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool ensureHintWindow() {
    if (hintWindow != nullptr)
        return false;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerPlayerClass(instance, L"Zon Hint", CS_DBLCLKS | CS_SAVEBITS, hintWindowProc, keyBrush);
    hintWindow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"Zon Hint", L"", WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, instance, nullptr);
    SetLayeredWindowAttributes(hintWindow, kKeyColour, 255, LWA_COLORKEY);
    return true;
}

// Over the player's windows, so that a hint is seen even after the player came to the front; it
// still never takes the activation.
void showWithoutActivating(const RECT& r) {
    SetWindowPos(hintWindow, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
} // namespace

void showTextHint(const RECT* screenRect, const wchar_t* text) {
    if (!ensureHintWindow() && (hintMode != HintMode::Text || screenRect == nullptr))
        ShowWindow(hintWindow, SW_HIDE);
    if (screenRect == nullptr) {
        hintMode = HintMode::Hidden;
        return;
    }
    hintMode = HintMode::Text;
    lstrcpynW(hintText, text, 260);
    SetWindowTextW(hintWindow, hintText); // what it says, for screen readers and other programs
    showWithoutActivating(*screenRect);
    paintText(hintWindow);
    KillTimer(hintWindow, kHintTimer);
    SetTimer(hintWindow, kHintTimer, kHintLife, nullptr);
}

void showVolumeHint(const RECT& display, int percent, bool muted) {
    ensureHintWindow();
    shownPercent = percent;
    shownMuted = muted;
    if (hintMode != HintMode::Volume) {
        KillTimer(hintWindow, kHintTimer);
        hintMode = HintMode::Volume;
        ShowWindow(hintWindow, SW_HIDE);
        showWithoutActivating(winRect(volumeHintRect(coreRect(display))));
    }
    paintVolume(hintWindow);
}

void hideHint() {
    // A hint never shown has no window yet: start-up's first layout makes none.
    if (hintWindow != nullptr)
        ShowWindow(hintWindow, SW_HIDE);
    hintMode = HintMode::Hidden;
}
