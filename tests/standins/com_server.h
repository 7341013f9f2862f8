// What the tests' COM objects share: the in-process servers' environment, their call log,
// interface answers, object counts and registration in the test prefix under the platform's class,
// and the methods every object has or leaves out (the unit tests' fakes use them too).
#pragma once
#include <windows.h>
#include <olectl.h>

#include <cstdarg>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase; // this module, from the linker

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
    if (offered)
        object->AddRef();
    return *out = offered ? object : nullptr, offered ? S_OK : E_NOINTERFACE;
}

// A text value under HKEY_CLASSES_ROOT: its key, its name (null for the key's default), the text.
struct Value {
    const wchar_t *key, *name, *text;
};

// Takes the place of Wine's own entry for the class, with the server's further values: the prefix
// is the tests' own, so there is no way back to keep, and unregistering leaves the class with no
// server.
inline HRESULT registerServer(const wchar_t* serverKey, std::initializer_list<Value> further) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(reinterpret_cast<HINSTANCE>(&__ImageBase), path, MAX_PATH);
    std::vector<Value> values = {{serverKey, nullptr, path}, {serverKey, L"ThreadingModel", L"Both"}};
    values.insert(values.end(), further);
    bool done = length > 0 && length < MAX_PATH;
    for (const Value& v : values)
        done = done && !RegSetKeyValueW(HKEY_CLASSES_ROOT, v.key, v.name, REG_SZ, v.text,
                                        (lstrlenW(v.text) + 1) * sizeof(wchar_t));
    return done ? S_OK : SELFREG_E_CLASS;
}

inline HRESULT unregisterServer(const wchar_t* serverKey, std::initializer_list<Value> further) {
    for (Value v : further)
        RegDeleteKeyW(HKEY_CLASSES_ROOT, v.key);
    return RegDeleteKeyW(HKEY_CLASSES_ROOT, serverKey) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

// The objects alive and the locks held: the DLL may be unloaded when both are 0.
inline LONG liveObjects, serverLocks;

// The base of a server's objects, counted while they live; an object that could not be made
// whole says so with a ready() of its own.
struct Live {
    Live() { InterlockedIncrement(&liveObjects); }
    ~Live() { InterlockedDecrement(&liveObjects); }
    bool ready() const { return true; }
};

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

// clang-format off
// A method nobody calls.
#define NOT_IMPLEMENTED(name, ...) HRESULT WINAPI name(__VA_ARGS__) override { return E_NOTIMPL; }

// AddRef and Release of an object that counts its references in `refs_` (1 when made) and is
// deleted with the last.
#define STANDIN_REFERENCE_COUNTING                                                                           \
    ULONG WINAPI AddRef() override { return InterlockedIncrement(&refs_); }                                  \
    ULONG WINAPI Release() override {                                                                        \
        LONG refs = InterlockedDecrement(&refs_);                                                            \
        if (refs == 0)                                                                                       \
            delete this;                                                                                     \
        return refs;                                                                                         \
    }

// The server's four entries: objects of the class `id` that `factory` makes, registered under
// `serverKey` with the further values that follow (standin::Value).
#define STANDIN_SERVER_ENTRIES(id, serverKey, factory, ...)                                                  \
    STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {                                       \
        if (clsid != (id))                                                                                   \
            return *out = nullptr, CLASS_E_CLASSNOTAVAILABLE;                                                \
        return (factory).QueryInterface(iid, out);                                                           \
    }                                                                                                        \
    STDAPI DllCanUnloadNow() { return standin::liveObjects || standin::serverLocks ? S_FALSE : S_OK; }       \
    STDAPI DllRegisterServer() { return standin::registerServer(serverKey, {__VA_ARGS__}); }                 \
    STDAPI DllUnregisterServer() { return standin::unregisterServer(serverKey, {__VA_ARGS__}); }
// clang-format on
