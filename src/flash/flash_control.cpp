#include "flash/flash_control.h"

#include <oleauto.h>

namespace {
// A string argument that frees itself.
struct Text {
    VARIANT v;
    explicit Text(const wchar_t* text) {
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(text);
    }
    ~Text() { VariantClear(&v); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
};

VARIANT number(long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}
} // namespace

HRESULT FlashControl::call(const wchar_t* name, WORD kind, VARIANT* args, UINT count, VARIANT* result) const {
    if (!control_)
        return E_POINTER;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = control_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPID putting = DISPID_PROPERTYPUT;
    bool put = kind == DISPATCH_PROPERTYPUT;
    DISPPARAMS params = {args, put ? &putting : nullptr, count, put ? 1u : 0u};
    return control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr, nullptr);
}

HRESULT FlashControl::read(const wchar_t* name, long& value) const {
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = call(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, nullptr, 0, &result);
    if (SUCCEEDED(hr))
        hr = VariantChangeType(&result, &result, 0, VT_I4);
    if (SUCCEEDED(hr))
        value = result.lVal;
    VariantClear(&result);
    return hr;
}

HRESULT FlashControl::put(const wchar_t* name, VARIANT& value) const {
    return call(name, DISPATCH_PROPERTYPUT, &value, 1, nullptr);
}

HRESULT FlashControl::loadMovie(int layer, const wchar_t* url) const {
    Text movie(url);
    VARIANT args[2] = {movie.v, number(layer)};
    return call(L"LoadMovie", DISPATCH_METHOD, args, 2, nullptr);
}

HRESULT FlashControl::gotoFrame(long frame) const {
    VARIANT arg = number(frame);
    return call(L"GotoFrame", DISPATCH_METHOD, &arg, 1, nullptr);
}

HRESULT FlashControl::isPlaying(bool& playing) const {
    long value = 0;
    HRESULT hr = read(L"IsPlaying", value);
    if (SUCCEEDED(hr))
        playing = value != 0;
    return hr;
}

HRESULT FlashControl::putScale(const wchar_t* scale) const {
    Text value(scale);
    return put(L"Scale", value.v);
}

HRESULT FlashControl::putBackgroundColor(long colour) const {
    VARIANT value = number(colour);
    return put(L"BackgroundColor", value);
}

HRESULT FlashControl::putEmbedMovie(bool embed) const {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = embed ? VARIANT_TRUE : VARIANT_FALSE;
    return put(L"EmbedMovie", value);
}
