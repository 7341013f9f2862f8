// An output pin of a SourceFilter: its connection (type, downstream input, allocator), its
// streaming thread, and the filter's seeking on its IMediaSeeking. Its references are the
// filter's.
#pragma once
#include "source/source_filter.h"

#include <atomic>
#include <thread>

class SourcePin final : public IPin, public IMediaSeeking {
public:
    SourcePin(SourceFilter& filter, const wchar_t* name, std::unique_ptr<StreamProducer> producer);
    ~SourcePin();
    SourcePin(const SourcePin&) = delete;
    SourcePin& operator=(const SourcePin&) = delete;

    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override;
    ULONG WINAPI AddRef() override { return filter_.AddRef(); }
    ULONG WINAPI Release() override { return filter_.Release(); }

    HRESULT WINAPI Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
    HRESULT WINAPI Disconnect() override;
    HRESULT WINAPI ConnectedTo(IPin** pin) override;
    HRESULT WINAPI ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI QueryPinInfo(PIN_INFO* info) override;
    HRESULT WINAPI QueryDirection(PIN_DIRECTION* direction) override;
    HRESULT WINAPI QueryId(LPWSTR* id) override;
    HRESULT WINAPI QueryAccept(const AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI EnumMediaTypes(IEnumMediaTypes** types) override;
    HRESULT WINAPI QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    HRESULT WINAPI EndOfStream() override { return E_UNEXPECTED; }
    HRESULT WINAPI BeginFlush() override { return E_UNEXPECTED; }
    HRESULT WINAPI EndFlush() override { return E_UNEXPECTED; }
    HRESULT WINAPI NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return E_UNEXPECTED; }

    HRESULT WINAPI GetCapabilities(DWORD* capabilities) override;
    HRESULT WINAPI CheckCapabilities(DWORD* capabilities) override;
    HRESULT WINAPI IsFormatSupported(const GUID* format) override;
    HRESULT WINAPI QueryPreferredFormat(GUID* format) override;
    HRESULT WINAPI GetTimeFormat(GUID* format) override;
    HRESULT WINAPI IsUsingTimeFormat(const GUID* format) override;
    HRESULT WINAPI SetTimeFormat(const GUID* format) override;
    HRESULT WINAPI GetDuration(LONGLONG* duration) override;
    HRESULT WINAPI GetStopPosition(LONGLONG* stop) override;
    HRESULT WINAPI GetCurrentPosition(LONGLONG* current) override;
    HRESULT WINAPI ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                     const GUID* sourceFormat) override;
    HRESULT WINAPI SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                DWORD stopFlags) override;
    HRESULT WINAPI GetPositions(LONGLONG* current, LONGLONG* stop) override;
    HRESULT WINAPI GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
    HRESULT WINAPI SetRate(double rate) override;
    HRESULT WINAPI GetRate(double* rate) override;
    HRESULT WINAPI GetPreroll(LONGLONG* preroll) override;

    // For the filter, under its lock.
    const std::wstring& name() const { return name_; }
    bool connected() const { return static_cast<bool>(peer_); }
    HRESULT commit();
    void decommit();
    // Starts the streaming thread at media time `start` (the new segment's start) and `rate`.
    void stream(REFERENCE_TIME start, double rate);
    // Asks the thread to end (what holds it is the caller's to release), then waits for it.
    void askToEnd() { ending_ = true; }
    void waitForEnd();
    void beginFlush();
    void endFlush();
    // The media time where the last sample delivered ended.
    REFERENCE_TIME reached() const { return reached_; }

    // For the enumerator of its types.
    std::size_t count();
    bool item(std::size_t position, AM_MEDIA_TYPE** type);
    LONG version() const { return 0; }

private:
    HRESULT tryType(IPin* receiver, const AM_MEDIA_TYPE& type);
    HRESULT chooseAllocator();
    void streamLoop();
    HRESULT fill(IMediaSample& sample, bool first);
    REFERENCE_TIME streamTime(REFERENCE_TIME mediaTime) const;

    SourceFilter& filter_;
    const std::wstring name_;
    const std::unique_ptr<StreamProducer> producer_;
    ComPtr<IPin> peer_;
    ComPtr<IMemInputPin> input_;
    ComPtr<IMemAllocator> allocator_;
    // The connection's type, which a downstream allocator may change while streaming.
    std::mutex typeLock_;
    MediaType type_;
    std::thread thread_;
    std::atomic<bool> ending_{false};
    REFERENCE_TIME segmentStart_ = 0;
    double rate_ = 1.0;
    std::atomic<REFERENCE_TIME> reached_{0};
};
