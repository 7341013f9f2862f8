// Owners of the platform's resources: each is given back exactly once, when its owner goes.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <utility>

// A window's device context: its client area, or the whole window with its frame.
class WindowDc {
public:
    explicit WindowDc(HWND window, bool wholeWindow = false)
        : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A GDI object the program made (brush, pen, bitmap, region), deleted when the owner goes.
template <class T> class GdiObject {
public:
    explicit GdiObject(T object = nullptr) : object_(object) {}
    ~GdiObject() {
        if (object_ != nullptr)
            DeleteObject(object_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    operator T() const { return object_; }
    // Handed to an owner of its own (a window takes its region): no longer deleted here.
    T release() { return std::exchange(object_, nullptr); }

private:
    T object_;
};

// An object selected into a device context; the one it replaced goes back when this goes.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory context compatible with `target` (the screen for none).
class MemoryDc {
public:
    explicit MemoryDc(HDC target) : dc_(CreateCompatibleDC(target)) {}
    ~MemoryDc() {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// A memory context with a bitmap of its own, for composing off-screen.
class OffScreen {
public:
    OffScreen(HDC target, int width, int height)
        : dc_(target), bitmap_(CreateCompatibleBitmap(target, width, height)), selection_(dc_, bitmap_) {}
    OffScreen(const OffScreen&) = delete;
    OffScreen& operator=(const OffScreen&) = delete;
    operator HDC() const { return dc_; }

private:
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    Selection selection_;
};

// A kernel handle (a file), closed when its owner goes.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    operator HANDLE() const { return handle_; }
    // False when closing failed (a write may not have reached the disk).
    bool close() { return !valid() || CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

// A directory search.
class FindHandle {
public:
    FindHandle(const wchar_t* pattern, WIN32_FIND_DATAW* item) : handle_(FindFirstFileW(pattern, item)) {}
    ~FindHandle() {
        if (valid())
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAW* item) const { return FindNextFileW(handle_, item) != 0; }

private:
    HANDLE handle_;
};

// A hook of this thread, taken out when its owner goes.
class ThreadHook {
public:
    ThreadHook(int kind, HOOKPROC procedure)
        : hook_(SetWindowsHookExW(kind, procedure, nullptr, GetCurrentThreadId())) {}
    ~ThreadHook() {
        if (hook_ != nullptr)
            UnhookWindowsHookEx(hook_);
    }
    ThreadHook(const ThreadHook&) = delete;
    ThreadHook& operator=(const ThreadHook&) = delete;
    HHOOK get() const { return hook_; }

private:
    HHOOK hook_;
};

// This thread's single-threaded COM apartment. Its result does not matter: a failure only leaves
// media unplayable.
class ComApartment {
public:
    ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (entered_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool entered_;
};
