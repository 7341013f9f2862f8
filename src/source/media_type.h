// DirectShow's media types as values. A type handed across a pin owns its format block and its
// object, both given back when the type goes; the ones handed out through IEnumMediaTypes are
// allocated with the task allocator, as their receiver frees them.
#pragma once
#include <windows.h>
#include <dshow.h>

void freeMediaType(AM_MEDIA_TYPE& type);
// False when the format block could not be had (`to` is then left empty).
bool copyMediaType(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from);
// A copy in task memory for a caller that frees it with deleteMediaType; null without memory.
AM_MEDIA_TYPE* newMediaType(const AM_MEDIA_TYPE& from);
void deleteMediaType(AM_MEDIA_TYPE* type);

// The same major type, subtype, format type and format bytes.
bool sameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);
// Whether `type` fits what a caller asked for: a null major type, subtype or format type asks
// for any.
bool fitsMediaType(const AM_MEDIA_TYPE& asked, const AM_MEDIA_TYPE& type);
// Whether every part that matters is named: a major type, a subtype and a format type.
bool fullySpecified(const AM_MEDIA_TYPE& type);

class MediaType {
public:
    MediaType() : type_{} {}
    explicit MediaType(const AM_MEDIA_TYPE& from) : type_{} { copyMediaType(type_, from); }
    MediaType(const MediaType& other) : MediaType(other.type_) {}
    MediaType& operator=(const MediaType& other) {
        if (this != &other) {
            freeMediaType(type_);
            copyMediaType(type_, other.type_);
        }
        return *this;
    }
    ~MediaType() { freeMediaType(type_); }

    AM_MEDIA_TYPE& get() { return type_; }
    const AM_MEDIA_TYPE& get() const { return type_; }
    AM_MEDIA_TYPE* operator->() { return &type_; }
    const AM_MEDIA_TYPE* operator->() const { return &type_; }
    // A format block of `size` bytes copied from `bytes` (zeroed without them); false without
    // memory.
    bool setFormat(const GUID& formatType, const void* bytes, ULONG size);

private:
    AM_MEDIA_TYPE type_;
};
