// What the tests' in-process COM servers share: their environment, their call log, interface
// answers, and their registration in the test prefix under the platform's class.
#pragma once
#include <windows.h>
#include <olectl.h>

#include <cstdarg>
#include <cstdio>
#include <string>

extern "C" IMAGE_DOS_HEADER __ImageBase; // this DLL's own module, from the linker

namespace standin {
inline std::wstring environment(const wchar_t* name) {
    wchar_t value[1024];
    DWORD n = GetEnvironmentVariableW(name, value, ARRAYSIZE(value));
    return n > 0 && n < ARRAYSIZE(value) ? value : L"";
}

// Appends a line to the file the variable `log` names (opened each time: a killed player loses
// nothing) and answers hr.
[[gnu::format(printf, 3, 4)]] inline HRESULT logTo(const wchar_t* log, HRESULT hr, const char* format, ...) {
    std::wstring path = environment(log);
    if (FILE* file = path.empty() ? nullptr : _wfopen(path.c_str(), L"a")) {
        va_list args;
        va_start(args, format);
        vfprintf(file, format, args);
        va_end(args);
        fputc('\n', file);
        fclose(file);
    }
    return hr;
}

inline HRESULT offer(void** out, IUnknown* object, bool offered) {
    if (!offered)
        return *out = nullptr, E_NOINTERFACE;
    object->AddRef();
    *out = object;
    return S_OK;
}

// Takes the place of Wine's own entry for the class: the prefix is the tests' own, so there is no
// way back to keep, and unregistering leaves the class with no server.
inline HRESULT registerServer(const wchar_t* serverKey) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(reinterpret_cast<HINSTANCE>(&__ImageBase), path, MAX_PATH);
    if (length == 0 || length == MAX_PATH ||
        RegSetKeyValueW(HKEY_CLASSES_ROOT, serverKey, nullptr, REG_SZ, path,
                        (length + 1) * sizeof(wchar_t)) ||
        RegSetKeyValueW(HKEY_CLASSES_ROOT, serverKey, L"ThreadingModel", REG_SZ, L"Both", sizeof L"Both"))
        return SELFREG_E_CLASS;
    return S_OK;
}

inline HRESULT unregisterServer(const wchar_t* serverKey) {
    return RegDeleteKeyW(HKEY_CLASSES_ROOT, serverKey) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

// AddRef and Release of an object that counts its references in `refs_` (1 when made) and is
// deleted with the last.
#define STANDIN_REFERENCE_COUNTING                                                                           \
    ULONG WINAPI AddRef() override {                                                                         \
        return InterlockedIncrement(&refs_);                                                                 \
    }                                                                                                        \
    ULONG WINAPI Release() override {                                                                        \
        LONG refs = InterlockedDecrement(&refs_);                                                            \
        if (refs == 0)                                                                                       \
            delete this;                                                                                     \
        return refs;                                                                                         \
    }

// The objects alive and the locks held: the DLL may be unloaded when both are 0.
inline LONG liveObjects, serverLocks;

// A static factory whose references, like locks, keep the DLL loaded. Object(): a new object
// with one reference, ready() when it could be made whole.
template <class Object> class Factory : public IClassFactory {
public:
    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        return offer(out, this, iid == IID_IUnknown || iid == IID_IClassFactory);
    }
    ULONG WINAPI AddRef() override { return InterlockedIncrement(&serverLocks); }
    ULONG WINAPI Release() override { return InterlockedDecrement(&serverLocks); }
    HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (outer != nullptr)
            return *out = nullptr, CLASS_E_NOAGGREGATION;
        auto* object = new Object;
        HRESULT hr = object->ready() ? object->QueryInterface(iid, out) : (*out = nullptr, E_FAIL);
        return object->Release(), hr;
    }
    HRESULT WINAPI LockServer(BOOL lock) override { return lock ? AddRef() : Release(), S_OK; }
};
} // namespace standin

// The entries through which COM makes objects of the class `id` with `factory` and unloads the
// server.
#define STANDIN_CLASS_ENTRIES(id, factory)                                                                   \
    STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {                                       \
        if (clsid != (id))                                                                                   \
            return *out = nullptr, CLASS_E_CLASSNOTAVAILABLE;                                                \
        return (factory).QueryInterface(iid, out);                                                           \
    }                                                                                                        \
    STDAPI DllCanUnloadNow() {                                                                               \
        return standin::liveObjects == 0 && standin::serverLocks == 0 ? S_OK : S_FALSE;                      \
    }

// The server's four entries, for objects of the class `id` that `factory` makes and the key
// `serverKey` names.
#define STANDIN_SERVER_ENTRIES(id, serverKey, factory)                                                       \
    STANDIN_CLASS_ENTRIES(id, factory)                                                                       \
    STDAPI DllRegisterServer() {                                                                             \
        return standin::registerServer(serverKey);                                                           \
    }                                                                                                        \
    STDAPI DllUnregisterServer() {                                                                           \
        return standin::unregisterServer(serverKey);                                                         \
    }
