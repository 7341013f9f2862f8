// The picture of a Source Reader's video stream, in the layout the renderer agreed to.
#include "source/reader_streams.h"

#include <dvdmedia.h>

#include <cstring>
#include <optional>

namespace {
// The decoded formats asked of the reader, best first: what decoders make without converting.
const GUID kDecoded[] = {MFVideoFormat_NV12, MFVideoFormat_YV12, MFVideoFormat_I420, MFVideoFormat_IYUV,
                         MFVideoFormat_YUY2};

// DirectShow names a YUV format by a GUID made of its FOURCC, as Media Foundation does.
GUID fourCcGuid(std::uint32_t code) {
    GUID guid = MEDIASUBTYPE_YUY2;
    guid.Data1 = code;
    return guid;
}

bool isFourCcGuid(const GUID& guid) {
    return fourCcGuid(guid.Data1) == guid;
}

// A bitmap header's width: the rows' length in pixels (the first plane's, for planar formats).
LONG headerWidth(const PictureLayout& l) {
    return l.format == PixelFormat::Rgb32  ? l.pitch / 4
           : l.format == PixelFormat::Yuy2 ? l.pitch / 2
                                           : l.pitch;
}

bool describeType(const PictureLayout& l, std::int64_t frame, MediaType& type) {
    auto bytes = static_cast<DWORD>(pictureBytes(l));
    VIDEOINFOHEADER format = {};
    format.AvgTimePerFrame = frame;
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = headerWidth(l);
    format.bmiHeader.biHeight = l.rows;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel(l.format));
    format.bmiHeader.biCompression = l.format == PixelFormat::Rgb32 ? BI_RGB : fourCcOf(l.format);
    format.bmiHeader.biSizeImage = bytes;
    type = MediaType();
    type->majortype = MEDIATYPE_Video;
    type->subtype = l.format == PixelFormat::Rgb32 ? MEDIASUBTYPE_RGB32 : fourCcGuid(fourCcOf(l.format));
    type->bFixedSizeSamples = TRUE;
    type->lSampleSize = bytes;
    return type.setFormat(FORMAT_VideoInfo, &format, sizeof format);
}

// The layout a renderer's type describes for a picture of `width` x `height`, when it is one we
// make: the same size, whole (a target rectangle other than the picture would ask us to scale).
std::optional<PictureLayout> layoutOfType(const AM_MEDIA_TYPE& type, int width, int height) {
    const RECT* target = nullptr;
    const BITMAPINFOHEADER* header = nullptr;
    if (type.majortype != MEDIATYPE_Video || type.pbFormat == nullptr)
        return std::nullopt;
    if (type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        auto* v = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
        target = &v->rcTarget;
        header = &v->bmiHeader;
    } else if (type.formattype == FORMAT_VideoInfo2 && type.cbFormat >= sizeof(VIDEOINFOHEADER2)) {
        auto* v = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat);
        target = &v->rcTarget;
        header = &v->bmiHeader;
    } else {
        return std::nullopt;
    }
    if (!IsRectEmpty(target) &&
        (target->left != 0 || target->top != 0 || target->right != width || target->bottom != height))
        return std::nullopt;
    auto l = layoutOfBitmapHeader(header->biCompression, header->biBitCount, header->biWidth,
                                  header->biHeight, width, height);
    bool named =
        l && (l->format == PixelFormat::Rgb32
                  ? type.subtype == MEDIASUBTYPE_RGB32
                  : isFourCcGuid(type.subtype) && pixelFormatOfFourCc(type.subtype.Data1) == l->format);
    return named ? l : std::nullopt;
}
} // namespace

std::unique_ptr<VideoStream> VideoStream::open(std::shared_ptr<OpenReader> reader) {
    const DWORD index = MF_SOURCE_READER_FIRST_VIDEO_STREAM;
    if (!reader->has(index))
        return nullptr;
    for (const GUID& subtype : kDecoded) {
        ComPtr<IMFMediaType> given = reader->decodedAs(index, MFMediaType_Video, subtype);
        if (!given)
            continue;
        std::unique_ptr<VideoStream> stream(new VideoStream(reader));
        if (stream->describe(given.get()))
            return stream;
    }
    return nullptr;
}

// The decoded layout: the frame's planes at the type's stride, showing the display aperture.
bool VideoStream::describe(IMFMediaType* type) {
    GUID subtype = GUID_NULL;
    UINT32 frameWidth = 0, frameHeight = 0, numerator = 0, denominator = 0;
    if (FAILED(type->GetGUID(MF_MT_SUBTYPE, &subtype)) || !isFourCcGuid(subtype) ||
        FAILED(MFGetAttributeSize(type, MF_MT_FRAME_SIZE, &frameWidth, &frameHeight)) ||
        frameWidth > 0x10000 || frameHeight > 0x10000)
        return false;
    std::optional<PixelFormat> format = pixelFormatOfFourCc(subtype.Data1);
    if (!format)
        return false;
    PictureLayout l = packedLayout(*format, static_cast<int>(frameWidth), static_cast<int>(frameHeight));
    MFVideoArea area = {};
    if (SUCCEEDED(type->GetBlob(MF_MT_MINIMUM_DISPLAY_APERTURE, reinterpret_cast<UINT8*>(&area), sizeof area,
                                nullptr)) &&
        area.OffsetX.value == 0 && area.OffsetY.value == 0 && area.Area.cx > 0 && area.Area.cy > 0 &&
        area.Area.cx <= l.width && area.Area.cy <= l.height) {
        l.width = area.Area.cx;
        l.height = area.Area.cy;
    }
    UINT32 stride = 0;
    if (SUCCEEDED(type->GetUINT32(MF_MT_DEFAULT_STRIDE, &stride)))
        l.pitch = static_cast<INT32>(stride);
    if (pictureBytes(l) == 0)
        return false;
    if (decoded_.width != 0 &&
        (l.format != decoded_.format || l.width != decoded_.width || l.height != decoded_.height))
        return false; // the renderer agreed to a picture of the first size
    decoded_ = l;
    if (SUCCEEDED(MFGetAttributeRatio(type, MF_MT_FRAME_RATE, &numerator, &denominator)))
        frame_ = frameDuration(numerator, denominator);
    if (out_.width == 0)
        out_ = packedLayout(PixelFormat::Rgb32, l.width, l.height);
    return true;
}

HRESULT VideoStream::readerTypeChanged() {
    ComPtr<IMFMediaType> type;
    HRESULT hr = reader_->reader->GetCurrentMediaType(index_, &type);
    return FAILED(hr) ? hr : describe(type.get()) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

// The decoded format as it is, for a renderer that draws it (where its sizes allow DirectShow's
// layout of it), then RGB32.
bool VideoStream::offeredType(std::size_t index, MediaType& type) const {
    bool asDecoded = decoded_.width % 2 == 0 && decoded_.height % 2 == 0;
    if (asDecoded && index == 0)
        return describeType(packedLayout(decoded_.format, decoded_.width, decoded_.height), frame_, type);
    if (index == (asDecoded ? 1u : 0u))
        return describeType(packedLayout(PixelFormat::Rgb32, decoded_.width, decoded_.height), frame_, type);
    return false;
}

bool VideoStream::accepts(const AM_MEDIA_TYPE& type) const {
    auto l = layoutOfType(type, decoded_.width, decoded_.height);
    return l && (l->format == decoded_.format || l->format == PixelFormat::Rgb32);
}

HRESULT VideoStream::takeType(const AM_MEDIA_TYPE& type) {
    auto l = layoutOfType(type, decoded_.width, decoded_.height);
    if (!l || (l->format != decoded_.format && l->format != PixelFormat::Rgb32))
        return VFW_E_TYPE_NOT_ACCEPTED;
    out_ = *l;
    return S_OK;
}

ALLOCATOR_PROPERTIES VideoStream::bufferNeeds() const {
    return {3, static_cast<long>(pictureBytes(out_)), 1, 0};
}

HRESULT VideoStream::produce(SampleSlot& slot) {
    for (;;) {
        ComPtr<IMFSample> sample;
        std::int64_t stamp = 0;
        HRESULT hr = read(sample, stamp);
        if (hr != S_OK)
            return hr;
        LONGLONG duration = 0;
        sample->GetSampleDuration(&duration);
        SampleTimes t = sampleTimes(stamp, duration, frame_);
        if (t.start < from_ && t.stop <= from_)
            continue; // shown and gone before where the seek asked for
        ComPtr<IMFMediaBuffer> buffer;
        if (FAILED(hr = sample->ConvertToContiguousBuffer(&buffer)))
            return hr;
        std::size_t room = static_cast<std::size_t>(slot.capacity);
        bool converted = false;
        BYTE* data = nullptr;
        LONG pitch = 0;
        ComPtr<IMF2DBuffer> planes;
        if (SUCCEEDED(buffer.queryInterface(planes)) && SUCCEEDED(planes->Lock2D(&data, &pitch))) {
            // Rows at the buffer's own pitch, which the contract of a 2D buffer makes whole.
            PictureLayout in = decoded_;
            in.pitch = pitch;
            converted = pitch > 0 && convertPicture(data, pictureBytes(in), in, slot.data, room, out_);
            planes->Unlock2D();
        } else {
            DWORD length = 0;
            if (FAILED(hr = buffer->Lock(&data, nullptr, &length)))
                return hr;
            converted = convertPicture(data, length, decoded_, slot.data, room, out_);
            buffer->Unlock();
        }
        if (!converted)
            return VFW_E_BUFFER_UNDERFLOW; // a picture, or a buffer, smaller than its type says
        slot.length = static_cast<long>(pictureBytes(out_));
        slot.start = t.start;
        slot.stop = t.stop;
        slot.syncPoint = true;
        return S_OK;
    }
}
