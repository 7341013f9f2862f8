// DirectShow with the interface identifiers that mingw-w64's headers leave out of __uuidof.
#pragma once
#include <windows.h>
#include <dshow.h>

__CRT_UUID_DECL(IMediaEventEx, 0x56a868c0, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IBasicVideo, 0x56a868b5, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IVideoWindow, 0x56a868b4, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IVMRFilterConfig, 0x9e5530c5, 0x7034, 0x48b4, 0xbb, 0x46, 0x0b, 0x8a, 0x6e, 0xfc, 0x8e, 0x36)
__CRT_UUID_DECL(IAMOpenProgress, 0x8e1c39a1, 0xde53, 0x11cf, 0xaa, 0x63, 0x00, 0x80, 0xc7, 0x44, 0x52, 0x8d)
__CRT_UUID_DECL(IVMRWindowlessControl, 0x0eb1088c, 0x4dcd, 0x46f0, 0x87, 0x8f, 0x39, 0xda, 0xe8, 0x6a, 0x51,
                0xb7)

// The closed-caption decoder's interface, which mingw-w64 declares only by its identifier.
enum AM_LINE21_CCSTATE { AM_L21_CCSTATE_Off, AM_L21_CCSTATE_On };
struct IAMLine21Decoder : IUnknown {
    virtual HRESULT WINAPI GetDecoderLevel(int* level) = 0;
    virtual HRESULT WINAPI GetCurrentService(int* service) = 0;
    virtual HRESULT WINAPI SetCurrentService(int service) = 0;
    virtual HRESULT WINAPI GetServiceState(AM_LINE21_CCSTATE* state) = 0;
    virtual HRESULT WINAPI SetServiceState(AM_LINE21_CCSTATE state) = 0;
    virtual HRESULT WINAPI GetOutputFormat(BITMAPINFOHEADER* format) = 0;
    virtual HRESULT WINAPI SetOutputFormat(BITMAPINFO* format) = 0;
    virtual HRESULT WINAPI GetBackgroundColor(DWORD* colour) = 0;
    virtual HRESULT WINAPI SetBackgroundColor(DWORD colour) = 0;
    virtual HRESULT WINAPI GetRedrawAlways(BOOL* always) = 0;
    virtual HRESULT WINAPI SetRedrawAlways(BOOL always) = 0;
    virtual HRESULT WINAPI GetDrawBackgroundMode(int* mode) = 0;
    virtual HRESULT WINAPI SetDrawBackgroundMode(int mode) = 0;
};
__CRT_UUID_DECL(IAMLine21Decoder, 0x6e8d4a21, 0x310c, 0x11d0, 0xb7, 0x9a, 0x00, 0xaa, 0x00, 0x37, 0x67, 0xa7)
