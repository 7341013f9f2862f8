#include "source/reader_source.h"
#include "source/reader_streams.h"
#include "source/source_filter.h"

#include <new>
#include <optional>
#include <vector>

// {8262888B-4A87-4A40-BC27-B9D14E2075AD}
const CLSID kReaderSourceClass = {
    0x8262888b, 0x4a87, 0x4a40, {0xbc, 0x27, 0xb9, 0xd1, 0x4e, 0x20, 0x75, 0xad}};

namespace {
class ReaderSource final : public SourceFilter {
public:
    ReaderSource() : SourceFilter(kReaderSourceClass) {}

protected:
    HRESULT open(const wchar_t* path, const AM_MEDIA_TYPE*) override;
    bool duration(REFERENCE_TIME& length) override;
    bool seekable() override { return seekable_; }
    HRESULT seek(REFERENCE_TIME position) override;

private:
    std::shared_ptr<OpenReader> reader_;
    std::vector<ReaderStream*> streams_; // owned by the pins
    std::optional<REFERENCE_TIME> length_;
    bool seekable_ = false;
};

HRESULT ReaderSource::open(const wchar_t* path, const AM_MEDIA_TYPE*) {
    auto reader = std::make_shared<OpenReader>();
    HRESULT hr = reader->open(path);
    if (FAILED(hr))
        return hr;
    PROPVARIANT value;
    PropVariantInit(&value);
    IMFSourceReader* r = reader->reader.get();
    if (SUCCEEDED(r->GetPresentationAttribute(MF_SOURCE_READER_MEDIASOURCE, MF_PD_DURATION, &value)) &&
        value.vt == VT_UI8 && value.uhVal.QuadPart > 0 && value.uhVal.QuadPart < 0x7fffffffffffffffULL)
        length_ = static_cast<REFERENCE_TIME>(value.uhVal.QuadPart);
    PropVariantClear(&value);
    if (SUCCEEDED(r->GetPresentationAttribute(MF_SOURCE_READER_MEDIASOURCE,
                                              MF_SOURCE_READER_MEDIASOURCE_CHARACTERISTICS, &value)) &&
        value.vt == VT_UI4)
        seekable_ = (value.ulVal & MFMEDIASOURCE_CAN_SEEK) != 0;
    PropVariantClear(&value);
    if (reader->has(MF_SOURCE_READER_FIRST_VIDEO_STREAM))
        if (auto video = VideoStream::open(reader)) {
            streams_.push_back(video.get());
            addOutput(L"Video", std::move(video));
        }
    if (reader->has(MF_SOURCE_READER_FIRST_AUDIO_STREAM))
        if (auto sound = AudioStream::open(reader)) {
            streams_.push_back(sound.get());
            addOutput(L"Audio", std::move(sound));
        }
    if (streams_.empty())
        return VFW_E_UNSUPPORTED_STREAM;
    reader_ = std::move(reader);
    return S_OK;
}

bool ReaderSource::duration(REFERENCE_TIME& length) {
    if (length_)
        length = *length_;
    return length_.has_value();
}

HRESULT ReaderSource::seek(REFERENCE_TIME position) {
    PROPVARIANT at;
    PropVariantInit(&at);
    at.vt = VT_I8;
    at.hVal.QuadPart = position;
    HRESULT hr = reader_->reader->SetCurrentPosition(GUID_NULL, at);
    for (ReaderStream* stream : streams_)
        stream->seekTo(position);
    return hr;
}
} // namespace

IBaseFilter* newReaderSource() {
    return new (std::nothrow) ReaderSource();
}
