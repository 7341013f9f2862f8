#include "source/source_filter.h"
#include "source/enumerator.h"
#include "source/source_pin.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {
constexpr REFERENCE_TIME kEndOfTime = 0x7fffffffffffffffLL;

HRESULT offer(void** out, IUnknown* face) {
    face->AddRef();
    *out = face;
    return S_OK;
}
} // namespace

SourceFilter::SourceFilter(const CLSID& id) : id_(id), streamStop_(kEndOfTime) {}

SourceFilter::~SourceFilter() = default;

HRESULT SourceFilter::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter)
        return offer(out, static_cast<IBaseFilter*>(this));
    if (iid == IID_IFileSourceFilter)
        return offer(out, static_cast<IFileSourceFilter*>(this));
    if (iid == IID_IAMFilterMiscFlags)
        return offer(out, static_cast<IAMFilterMiscFlags*>(this));
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG SourceFilter::AddRef() {
    return InterlockedIncrement(&refs_);
}

ULONG SourceFilter::Release() {
    LONG refs = InterlockedDecrement(&refs_);
    if (refs == 0) {
        // The streams end before the source they read from goes (a graph stops its filters
        // before it lets them go; this is for one that did not).
        endStreams(true);
        delete this;
    }
    return refs;
}

HRESULT SourceFilter::GetClassID(CLSID* id) {
    if (id == nullptr)
        return E_POINTER;
    *id = id_;
    return S_OK;
}

HRESULT SourceFilter::Stop() {
    std::lock_guard hold(lock_);
    if (state_ != State_Stopped)
        endStreams(true);
    state_ = State_Stopped;
    return S_OK;
}

HRESULT SourceFilter::Pause() {
    std::lock_guard hold(lock_);
    if (state_ == State_Stopped) {
        // A stream that ran on since its last start begins again where it started, as after a
        // seek; one that cannot seek goes on from where it got to.
        if (movedOn_ && seekable())
            seek(start_);
        else if (movedOn_)
            for (auto& pin : pins_) {
                std::lock_guard holdPositions(positionsLock_);
                start_ = std::max(start_, pin->reached());
            }
        for (auto& pin : pins_)
            if (HRESULT hr = pin->connected() ? pin->commit() : S_OK; FAILED(hr)) {
                endStreams(true);
                return hr;
            }
        startStreams();
    }
    state_ = State_Paused;
    return S_OK;
}

HRESULT SourceFilter::Run(REFERENCE_TIME) {
    std::lock_guard hold(lock_);
    if (state_ == State_Stopped)
        if (HRESULT hr = Pause(); FAILED(hr))
            return hr;
    state_ = State_Running;
    return S_OK;
}

HRESULT SourceFilter::GetState(DWORD, FILTER_STATE* state) {
    if (state == nullptr)
        return E_POINTER;
    *state = state_;
    return S_OK;
}

HRESULT SourceFilter::SetSyncSource(IReferenceClock* clock) {
    std::lock_guard hold(lock_);
    if (clock != nullptr)
        clock->AddRef();
    clock_ = ComPtr<IReferenceClock>::adopt(clock);
    return S_OK;
}

HRESULT SourceFilter::GetSyncSource(IReferenceClock** clock) {
    if (clock == nullptr)
        return E_POINTER;
    std::lock_guard hold(lock_);
    if ((*clock = clock_.get()) != nullptr)
        (*clock)->AddRef();
    return S_OK;
}

HRESULT SourceFilter::EnumPins(IEnumPins** pins) {
    if (pins == nullptr)
        return E_POINTER;
    *pins = new PositionEnumerator<IEnumPins, IPin*, SourceFilter>(*this);
    return S_OK;
}

std::size_t SourceFilter::count() {
    std::lock_guard hold(lock_);
    return pins_.size();
}

bool SourceFilter::item(std::size_t position, IPin** pin) {
    std::lock_guard hold(lock_);
    if (position >= pins_.size())
        return false;
    *pin = pins_[position].get();
    (*pin)->AddRef();
    return true;
}

HRESULT SourceFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (id == nullptr || pin == nullptr)
        return E_POINTER;
    std::lock_guard hold(lock_);
    for (auto& candidate : pins_)
        if (candidate->name() == id)
            return offer(reinterpret_cast<void**>(pin), static_cast<IPin*>(candidate.get()));
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
}

HRESULT SourceFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (info == nullptr)
        return E_POINTER;
    std::lock_guard hold(lock_);
    std::size_t length = std::min(name_.size(), std::size(info->achName) - 1);
    std::wmemcpy(info->achName, name_.c_str(), length);
    info->achName[length] = L'\0';
    if ((info->pGraph = graph_) != nullptr)
        graph_->AddRef();
    return S_OK;
}

HRESULT SourceFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    std::lock_guard hold(lock_);
    graph_ = graph;
    name_ = name != nullptr ? name : L"";
    IMediaEventSink* events = nullptr;
    if (graph != nullptr &&
        SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&events))))
        events->Release(); // borrowed, as the graph is
    events_ = events;
    return S_OK;
}

HRESULT SourceFilter::QueryVendorInfo(LPWSTR*) {
    return E_NOTIMPL;
}

HRESULT SourceFilter::Load(LPCOLESTR path, const AM_MEDIA_TYPE* type) {
    if (path == nullptr)
        return E_POINTER;
    std::lock_guard hold(lock_);
    if (!path_.empty() || !pins_.empty())
        return E_UNEXPECTED;
    HRESULT hr = open(path, type);
    if (FAILED(hr)) {
        pins_.clear();
        ++pinVersion_;
        return hr;
    }
    path_ = path;
    if (type != nullptr)
        loadedType_ = MediaType(*type);
    REFERENCE_TIME length = 0;
    std::lock_guard holdPositions(positionsLock_);
    if (duration(length))
        stop_ = length;
    streamStop_ = stop_.value_or(kEndOfTime);
    return hr;
}

HRESULT SourceFilter::GetCurFile(LPOLESTR* path, AM_MEDIA_TYPE* type) {
    if (path == nullptr)
        return E_POINTER;
    std::lock_guard hold(lock_);
    *path = nullptr;
    if (path_.empty())
        return E_FAIL;
    std::size_t bytes = (path_.size() + 1) * sizeof(wchar_t);
    if ((*path = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes))) == nullptr)
        return E_OUTOFMEMORY;
    std::memcpy(*path, path_.c_str(), bytes);
    if (type != nullptr && !copyMediaType(*type, loadedType_.get()))
        return E_OUTOFMEMORY;
    return S_OK;
}

ULONG SourceFilter::GetMiscFlags() {
    return AM_FILTER_MISC_FLAGS_IS_SOURCE;
}

void SourceFilter::notifyEvent(long code, LONG_PTR first, LONG_PTR second) {
    if (IMediaEventSink* events = events_)
        events->Notify(code, first, second);
}

void SourceFilter::addOutput(const wchar_t* name, std::unique_ptr<StreamProducer> producer) {
    std::lock_guard hold(lock_);
    pins_.push_back(std::make_unique<SourcePin>(*this, name, std::move(producer)));
    ++pinVersion_;
}

void SourceFilter::startStreams() {
    for (auto& pin : pins_)
        if (pin->connected())
            pin->stream(start_, rate_);
    movedOn_ = true;
}

// A thread waits in GetBuffer (for a buffer downstream holds) or in Receive (while downstream
// holds the sample until its time): decommitting ends the first wait, and a downstream that is
// stopped or flushing ends the second.
void SourceFilter::endStreams(bool decommit) {
    for (auto& pin : pins_) {
        pin->askToEnd();
        if (decommit && pin->connected())
            pin->decommit();
    }
    for (auto& pin : pins_)
        pin->waitForEnd();
}

// Downstream drops what it holds, the streams end, start again at `position` and tell
// downstream of the new segment.
HRESULT SourceFilter::restartAt(REFERENCE_TIME position) {
    bool streaming = state_ != State_Stopped;
    if (streaming) {
        for (auto& pin : pins_)
            pin->askToEnd(), pin->beginFlush();
        endStreams(false);
        for (auto& pin : pins_)
            pin->endFlush();
    }
    {
        std::lock_guard holdPositions(positionsLock_);
        start_ = position;
    }
    movedOn_ = false;
    HRESULT hr = seek(position);
    if (streaming)
        startStreams();
    return hr;
}
