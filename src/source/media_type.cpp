#include "source/media_type.h"

#include <cstring>
#include <utility>

void freeMediaType(AM_MEDIA_TYPE& type) {
    CoTaskMemFree(type.pbFormat);
    if (type.pUnk != nullptr)
        type.pUnk->Release();
    type = AM_MEDIA_TYPE{};
}

bool copyMediaType(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from) {
    to = from;
    if (from.cbFormat != 0 && from.pbFormat != nullptr) {
        to.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(from.cbFormat));
        if (to.pbFormat == nullptr)
            return to = AM_MEDIA_TYPE{}, false;
        std::memcpy(to.pbFormat, from.pbFormat, from.cbFormat);
    } else {
        to.pbFormat = nullptr;
        to.cbFormat = 0;
    }
    if (to.pUnk != nullptr)
        to.pUnk->AddRef();
    return true;
}

AM_MEDIA_TYPE* newMediaType(const AM_MEDIA_TYPE& from) {
    auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (type != nullptr && !copyMediaType(*type, from))
        CoTaskMemFree(std::exchange(type, nullptr));
    return type;
}

void deleteMediaType(AM_MEDIA_TYPE* type) {
    if (type != nullptr) {
        freeMediaType(*type);
        CoTaskMemFree(type);
    }
}

bool sameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
    return a.majortype == b.majortype && a.subtype == b.subtype && a.formattype == b.formattype &&
           a.cbFormat == b.cbFormat &&
           (a.cbFormat == 0 || std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0);
}

bool fitsMediaType(const AM_MEDIA_TYPE& asked, const AM_MEDIA_TYPE& type) {
    auto fits = [](const GUID& want, const GUID& have) { return want == GUID_NULL || want == have; };
    return fits(asked.majortype, type.majortype) && fits(asked.subtype, type.subtype) &&
           fits(asked.formattype, type.formattype);
}

bool fullySpecified(const AM_MEDIA_TYPE& type) {
    return type.majortype != GUID_NULL && type.subtype != GUID_NULL && type.formattype != GUID_NULL;
}

bool MediaType::setFormat(const GUID& formatType, const void* bytes, ULONG size) {
    auto* block = static_cast<BYTE*>(CoTaskMemAlloc(size));
    if (block == nullptr && size != 0)
        return false;
    if (size != 0)
        bytes != nullptr ? std::memcpy(block, bytes, size) : std::memset(block, 0, size);
    CoTaskMemFree(type_.pbFormat);
    type_.formattype = formatType;
    type_.pbFormat = block;
    type_.cbFormat = size;
    return true;
}
