// The sound of a Source Reader's audio stream, decoded to PCM and cut to the buffers downstream.
#include "source/reader_streams.h"

#include <mmreg.h>

#include <algorithm>
#include <cstring>

std::unique_ptr<AudioStream> AudioStream::open(std::shared_ptr<OpenReader> reader) {
    const DWORD index = MF_SOURCE_READER_FIRST_AUDIO_STREAM;
    if (!reader->has(index))
        return nullptr;
    // 16-bit PCM, which every audio renderer plays; floating-point samples where a decoder makes
    // only those.
    for (const GUID& subtype : {MFAudioFormat_PCM, MFAudioFormat_Float}) {
        ComPtr<IMFMediaType> given =
            reader->decodedAs(index, MFMediaType_Audio, subtype, subtype == MFAudioFormat_PCM ? 16 : 32);
        if (!given)
            continue;
        std::unique_ptr<AudioStream> stream(new AudioStream(reader));
        if (stream->describe(given.get()))
            return stream;
    }
    return nullptr;
}

bool AudioStream::describe(IMFMediaType* type) {
    GUID subtype = GUID_NULL;
    WAVEFORMATEX* format = nullptr;
    UINT32 size = 0;
    if (FAILED(type->GetGUID(MF_MT_SUBTYPE, &subtype)) ||
        FAILED(MFCreateWaveFormatExFromMFMediaType(type, &format, &size, MFWaveFormatExConvertFlag_Normal)))
        return false;
    bool usable = size >= sizeof(WAVEFORMATEX) && format->nBlockAlign > 0 && format->nAvgBytesPerSec > 0;
    MediaType described;
    // The PCM and floating-point subtypes are the same GUIDs in both frameworks.
    described->majortype = MEDIATYPE_Audio;
    described->subtype = subtype;
    described->bFixedSizeSamples = TRUE;
    described->lSampleSize = usable ? format->nBlockAlign : 0;
    usable = usable && described.setFormat(FORMAT_WaveFormatEx, format, size);
    if (usable) {
        block_ = format->nBlockAlign;
        bytesPerSecond_ = format->nAvgBytesPerSec;
        type_ = described;
    }
    CoTaskMemFree(format);
    return usable;
}

// The sound's format is the pin's for good: a decoder that changes it midway breaks the stream.
HRESULT AudioStream::readerTypeChanged() {
    ComPtr<IMFMediaType> type;
    HRESULT hr = reader_->reader->GetCurrentMediaType(index_, &type);
    MediaType before = type_;
    if (FAILED(hr) || !describe(type.get()))
        return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
    return sameMediaType(before.get(), type_.get()) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

void AudioStream::seekTo(std::int64_t position) {
    pending_.reset();
    ReaderStream::seekTo(position);
}

bool AudioStream::offeredType(std::size_t index, MediaType& type) const {
    if (index != 0)
        return false;
    type = type_;
    return true;
}

// A quarter of a second a buffer.
ALLOCATOR_PROPERTIES AudioStream::bufferNeeds() const {
    std::size_t quarter = bytesPerSecond_ / 4;
    return {4, static_cast<long>(std::max(block_, quarter - quarter % block_)), 1, 0};
}

HRESULT AudioStream::produce(SampleSlot& slot) {
    for (;;) {
        if (!pending_) {
            ComPtr<IMFSample> sample;
            std::int64_t stamp = 0;
            HRESULT hr = read(sample, stamp);
            if (hr != S_OK)
                return hr;
            DWORD bytes = 0;
            LONGLONG duration = 0;
            if (FAILED(hr = sample->ConvertToContiguousBuffer(&pending_)) ||
                FAILED(hr = pending_->GetCurrentLength(&bytes)))
                return hr;
            sample->GetSampleDuration(&duration);
            pendingBytes_ = bytes;
            pendingTimes_ = sampleTimes(stamp, duration, audioDuration(bytes, bytesPerSecond_));
            // After a seek, the sound from its target on.
            taken_ = bytesBefore(pendingTimes_, pendingBytes_, block_, from_);
        }
        SamplePiece piece =
            nextPiece(pendingTimes_, pendingBytes_, taken_, static_cast<std::size_t>(slot.capacity), block_);
        if (piece.length == 0) {
            if (taken_ < pendingBytes_)
                return VFW_E_BUFFER_OVERFLOW; // a buffer that holds not one block
            pending_.reset();
            continue;
        }
        BYTE* data = nullptr;
        DWORD length = 0;
        if (HRESULT hr = pending_->Lock(&data, nullptr, &length); FAILED(hr))
            return hr;
        bool whole = length >= taken_ + piece.length;
        if (whole)
            std::memcpy(slot.data, data + taken_, piece.length);
        pending_->Unlock();
        if (!whole)
            return VFW_E_BUFFER_UNDERFLOW;
        taken_ += piece.length;
        if (taken_ >= pendingBytes_)
            pending_.reset();
        slot.length = static_cast<long>(piece.length);
        slot.start = piece.times.start;
        slot.stop = piece.times.stop;
        slot.syncPoint = true;
        return S_OK;
    }
}
