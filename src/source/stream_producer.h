// What one output pin of a SourceFilter streams: the types it offers and its samples. Times are
// media times (100 ns from the start of the medium); the pin turns them into stream times.
//
// The filter calls a producer from one thread at a time: the caller of IPin::Connect while the
// filter is stopped, then the pin's streaming thread while it streams, and SourceFilter::seek
// only while no streaming thread runs. Only accepts() may be asked from any thread at any time.
#pragma once
#include "source/media_type.h"

#include <cstddef>

// The buffer of one sample and what the producer put in it.
struct SampleSlot {
    BYTE* data = nullptr;
    long capacity = 0;
    long length = 0;
    REFERENCE_TIME start = 0, stop = 0;
    bool syncPoint = true;
};

class StreamProducer {
public:
    virtual ~StreamProducer() = default;
    // The `index`-th type the stream can be had in, best first; false past the last.
    virtual bool offeredType(std::size_t index, MediaType& type) const = 0;
    // Whether samples can be made in `type`: a downstream pin's proposal while connecting, or the
    // type a renderer wants to switch to (QueryAccept). By default, one of the offered types.
    virtual bool accepts(const AM_MEDIA_TYPE& type) const;
    // Samples from now on are made in `type`: the one agreed while connecting, or the one a
    // downstream allocator attached to a buffer (a renderer's new stride).
    virtual HRESULT useType(const AM_MEDIA_TYPE& type) = 0;
    // The pin let go of its connection: nothing will be asked of the stream until it connects again.
    virtual void disconnected() {}
    // The buffers the agreed type needs: how many (cBuffers) of what size (cbBuffer). The
    // downstream pin's alignment and prefix are added to them.
    virtual ALLOCATOR_PROPERTIES bufferNeeds() const = 0;
    // The next sample into `slot` (its data, length, media times, sync point): S_OK with one,
    // S_FALSE at the end of the stream (the pin delivers EndOfStream), a failure when the stream
    // broke (the graph is told EC_ERRORABORT with it, and nothing more is delivered).
    virtual HRESULT produce(SampleSlot& slot) = 0;
};
