// A pin's streaming thread: buffers from the allocator, filled by the producer, stamped with
// stream times and delivered downstream until the stream ends, breaks, or is asked to end.
#include "source/source_pin.h"

HRESULT SourcePin::commit() {
    return allocator_->Commit();
}

void SourcePin::decommit() {
    allocator_->Decommit();
}

void SourcePin::beginFlush() {
    if (peer_)
        peer_->BeginFlush();
}

void SourcePin::endFlush() {
    if (peer_)
        peer_->EndFlush();
}

void SourcePin::stream(REFERENCE_TIME start, double rate) {
    waitForEnd();
    ending_ = false;
    segmentStart_ = start;
    rate_ = rate;
    reached_ = start;
    thread_ = std::thread([this] { streamLoop(); });
}

void SourcePin::waitForEnd() {
    ending_ = true;
    if (thread_.joinable())
        thread_.join();
}

// Stream times count from the segment's start, at the segment's rate.
REFERENCE_TIME SourcePin::streamTime(REFERENCE_TIME mediaTime) const {
    return static_cast<REFERENCE_TIME>((mediaTime - segmentStart_) / rate_);
}

void SourcePin::streamLoop() {
    // The thread's own apartment, for a producer that reads through COM (Media Foundation).
    HRESULT entered = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    peer_->NewSegment(segmentStart_, filter_.streamStop(), rate_);
    for (bool first = true; !ending_; first = false) {
        ComPtr<IMediaSample> sample;
        if (FAILED(allocator_->GetBuffer(&sample, nullptr, nullptr, 0)))
            break; // decommitted: the filter stops
        HRESULT hr = fill(*sample.get(), first);
        if (hr == S_FALSE) {
            peer_->EndOfStream();
            break;
        }
        if (FAILED(hr)) {
            filter_.notifyEvent(EC_ERRORABORT, hr, 0);
            break;
        }
        // S_FALSE: downstream is flushing or stopped, or wants nothing more.
        if (input_->Receive(sample.get()) != S_OK)
            break;
    }
    if (SUCCEEDED(entered))
        CoUninitialize();
}

HRESULT SourcePin::fill(IMediaSample& sample, bool first) {
    AM_MEDIA_TYPE* changed = nullptr;
    if (sample.GetMediaType(&changed) == S_OK && changed != nullptr) {
        HRESULT hr = producer_->useType(*changed);
        if (SUCCEEDED(hr)) {
            std::lock_guard hold(typeLock_);
            type_ = MediaType(*changed);
        }
        deleteMediaType(changed);
        if (FAILED(hr))
            return hr;
    }
    SampleSlot slot;
    if (FAILED(sample.GetPointer(&slot.data)))
        return E_UNEXPECTED;
    slot.capacity = sample.GetSize();
    HRESULT hr = producer_->produce(slot);
    if (hr != S_OK)
        return hr;
    if (slot.start >= filter_.streamStop())
        return S_FALSE;
    REFERENCE_TIME start = streamTime(slot.start), stop = streamTime(slot.stop);
    sample.SetTime(&start, &stop);
    sample.SetActualDataLength(slot.length);
    sample.SetSyncPoint(slot.syncPoint);
    sample.SetDiscontinuity(first);
    // What ends before the segment starts only leads up to it (a key frame before the target).
    sample.SetPreroll(slot.stop <= segmentStart_);
    reached_ = slot.stop;
    return S_OK;
}
