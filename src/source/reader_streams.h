// The streams of a file that Media Foundation's Source Reader opens: its first video stream as
// pictures the renderers take, its first audio stream as PCM. Each is a pin's producer; both read
// the one reader, each from its pin's thread (a synchronous reader waits for one stream's sample
// without holding up a read of another). A second reader would decode the picture a second time
// wherever the source decodes every stream it has (Wine's does).
#pragma once
#include "core/media_timing.h"
#include "core/picture.h"
#include "source/stream_producer.h"
#include "win32/com_ptr.h"

#include <mfapi.h>
#include <mfidl.h>
#include <mfreadwrite.h>

#include <cstdint>
#include <memory>

// The Source Reader of the file, held by the filter and its streams, with none of the file's
// streams selected until a pin connects. Media Foundation is started for it and shut down once it
// has gone.
struct OpenReader {
    OpenReader();
    ~OpenReader();
    OpenReader(const OpenReader&) = delete;
    OpenReader& operator=(const OpenReader&) = delete;
    HRESULT open(const wchar_t* path);
    // Whether the file has a stream of the kind (MF_SOURCE_READER_FIRST_VIDEO_STREAM, ...).
    bool has(DWORD index) const;
    // The type the stream `index` is read in once the reader is asked to decode it to `subtype`
    // (sound `bits` a sample, when not 0); none when it will not.
    ComPtr<IMFMediaType> decodedAs(DWORD index, const GUID& major, const GUID& subtype,
                                   UINT32 bits = 0) const;

    bool started = false;
    ComPtr<IMFSourceReader> reader;
};

class ReaderStream : public StreamProducer {
public:
    // The reader has moved to `position`: samples that end by then are left out from now on, and
    // what was read before is dropped.
    virtual void seekTo(std::int64_t position) { from_ = position; }
    HRESULT useType(const AM_MEDIA_TYPE& type) override;
    void disconnected() override;

protected:
    ReaderStream(std::shared_ptr<OpenReader> reader, DWORD index)
        : reader_(std::move(reader)), index_(index) {}
    // Takes the stream's agreed output type.
    virtual HRESULT takeType(const AM_MEDIA_TYPE& type) = 0;
    // The reader's output type changed while reading.
    virtual HRESULT readerTypeChanged() = 0;
    // The next sample of the stream that ends after the seek's target: S_OK with it and its
    // stamp, S_FALSE at the end, a failure when the stream broke.
    HRESULT read(ComPtr<IMFSample>& sample, std::int64_t& stamp);

    const std::shared_ptr<OpenReader> reader_;
    const DWORD index_;
    std::int64_t from_ = 0;
    bool selected_ = false;
};

// The picture: the reader decodes to a YUV format it offers; the pin offers that (to a renderer
// that draws it as it is) and RGB32 (converted here, for one that takes only RGB).
class VideoStream final : public ReaderStream {
public:
    // Chooses the reader's output for the stream; null when it gives no picture we can use.
    static std::unique_ptr<VideoStream> open(std::shared_ptr<OpenReader> reader);
    bool offeredType(std::size_t index, MediaType& type) const override;
    bool accepts(const AM_MEDIA_TYPE& type) const override;
    ALLOCATOR_PROPERTIES bufferNeeds() const override;
    HRESULT produce(SampleSlot& slot) override;

private:
    explicit VideoStream(std::shared_ptr<OpenReader> reader)
        : ReaderStream(std::move(reader), MF_SOURCE_READER_FIRST_VIDEO_STREAM) {}
    HRESULT takeType(const AM_MEDIA_TYPE& type) override;
    HRESULT readerTypeChanged() override;
    bool describe(IMFMediaType* type);

    PictureLayout decoded_;  // as the reader hands pictures over
    PictureLayout out_;      // as the agreed type lays them out
    std::int64_t frame_ = 0; // a frame's duration, 0 when unknown
};

// The sound as PCM (or floating-point samples where the decoder gives only those), cut to the
// buffers downstream gives.
class AudioStream final : public ReaderStream {
public:
    static std::unique_ptr<AudioStream> open(std::shared_ptr<OpenReader> reader);
    void seekTo(std::int64_t position) override;
    bool offeredType(std::size_t index, MediaType& type) const override;
    ALLOCATOR_PROPERTIES bufferNeeds() const override;
    HRESULT produce(SampleSlot& slot) override;

private:
    explicit AudioStream(std::shared_ptr<OpenReader> reader)
        : ReaderStream(std::move(reader), MF_SOURCE_READER_FIRST_AUDIO_STREAM) {}
    HRESULT takeType(const AM_MEDIA_TYPE&) override { return S_OK; }
    HRESULT readerTypeChanged() override;
    bool describe(IMFMediaType* type);

    MediaType type_;
    std::size_t block_ = 1;
    std::uint32_t bytesPerSecond_ = 0;
    // The sample being cut into buffers.
    ComPtr<IMFMediaBuffer> pending_;
    std::size_t pendingBytes_ = 0, taken_ = 0;
    SampleTimes pendingTimes_;
};
