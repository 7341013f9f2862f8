// A push source filter: one COM object per file that owns its output pins, each streaming what
// its StreamProducer makes on a thread of its own. A concrete source says how a file opens (its
// pins), how long it is, and how it seeks; the filter does the rest of DirectShow's contract:
// states, pins and their connection, allocators, seeking on the pins (flush, new segment, a
// fresh start), end of stream, and EC_ERRORABORT when a stream breaks.
//
// Threads: the graph calls the filter and its pins from any thread; one lock (the filter's)
// orders those calls. Each connected pin's streaming thread runs from Pause (out of Stop) until
// Stop, the end of its stream or a failure, and never takes the filter's lock: Stop and seeking
// end it (decommitting its allocator, flushing downstream) and wait for it while holding the
// lock. What downstream may ask back from a streaming thread (the positions, the length, the
// rate: a renderer asks the stop position when its stream ends) is answered without that lock.
// As DirectShow asks of a graph, the filters downstream are stopped before this one.
#pragma once
#include "source/stream_producer.h"
#include "win32/com_ptr.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class SourcePin;

class SourceFilter : public IBaseFilter, public IFileSourceFilter, public IAMFilterMiscFlags {
public:
    SourceFilter(const SourceFilter&) = delete;
    SourceFilter& operator=(const SourceFilter&) = delete;

    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override;
    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;

    HRESULT WINAPI GetClassID(CLSID* id) override;
    HRESULT WINAPI Stop() override;
    HRESULT WINAPI Pause() override;
    HRESULT WINAPI Run(REFERENCE_TIME start) override;
    HRESULT WINAPI GetState(DWORD timeout, FILTER_STATE* state) override;
    HRESULT WINAPI SetSyncSource(IReferenceClock* clock) override;
    HRESULT WINAPI GetSyncSource(IReferenceClock** clock) override;
    HRESULT WINAPI EnumPins(IEnumPins** pins) override;
    HRESULT WINAPI FindPin(LPCWSTR id, IPin** pin) override;
    HRESULT WINAPI QueryFilterInfo(FILTER_INFO* info) override;
    HRESULT WINAPI JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    HRESULT WINAPI QueryVendorInfo(LPWSTR* info) override;

    HRESULT WINAPI Load(LPCOLESTR path, const AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI GetCurFile(LPOLESTR* path, AM_MEDIA_TYPE* type) override;

    ULONG WINAPI GetMiscFlags() override;

    // For the pins and their enumerator.
    std::recursive_mutex& lock() { return lock_; }
    bool stopped() const { return state_ == State_Stopped; }
    // Where streams stop now (media time): the stop position, else the end of time.
    REFERENCE_TIME streamStop() const { return streamStop_; }
    // Tells the graph (its IMediaEventSink) of an event; from any thread.
    void notifyEvent(long code, LONG_PTR first, LONG_PTR second);
    std::size_t count();
    bool item(std::size_t position, IPin** pin);
    LONG version() const { return pinVersion_; }

    // Seeking, the same through every pin's IMediaSeeking (positions are media times).
    DWORD seekingCapabilities();
    HRESULT lengthOf(LONGLONG* length);
    HRESULT positions(LONGLONG* current, LONGLONG* stop);
    HRESULT setPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags);
    HRESULT setRate(double rate);
    double rate();

protected:
    explicit SourceFilter(const CLSID& id);
    virtual ~SourceFilter();

    // Opens the file at `path` (Load's type, when given, in `type`) and adds its output pins;
    // its failure is Load's answer (and the pins it added go).
    virtual HRESULT open(const wchar_t* path, const AM_MEDIA_TYPE* type) = 0;
    // The whole medium's length, when known. From any thread: what open() learnt.
    virtual bool duration(REFERENCE_TIME& length) = 0;
    // Whether seek() can move the streams. From any thread: what open() learnt.
    virtual bool seekable() = 0;
    // Moves every stream to `position`; called only while no streaming thread runs, with the
    // filter's lock held.
    virtual HRESULT seek(REFERENCE_TIME position) = 0;
    void addOutput(const wchar_t* name, std::unique_ptr<StreamProducer> producer);

private:
    void startStreams();
    void endStreams(bool decommit);
    HRESULT restartAt(REFERENCE_TIME position);

    LONG refs_ = 1;
    const CLSID id_;
    std::recursive_mutex lock_;
    std::atomic<FILTER_STATE> state_{State_Stopped};
    ComPtr<IReferenceClock> clock_;
    // The graph holds the filter, never the other way round: both are borrowed while joined.
    IFilterGraph* graph_ = nullptr;
    std::atomic<IMediaEventSink*> events_{nullptr};
    std::wstring name_, path_;
    MediaType loadedType_;
    std::vector<std::unique_ptr<SourcePin>> pins_;
    std::atomic<LONG> pinVersion_{0};
    // Where the streams started (the last seek) and where they stop, and their rate: written with
    // the filter's lock held and this one too, read with either.
    std::mutex positionsLock_;
    REFERENCE_TIME start_ = 0;
    std::optional<REFERENCE_TIME> stop_;
    std::atomic<REFERENCE_TIME> streamStop_;
    double rate_ = 1.0;
    // Whether the streams have moved on since they started there.
    bool movedOn_ = false;
};
