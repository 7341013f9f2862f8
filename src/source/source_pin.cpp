// An output pin: connecting (the types, the downstream allocator), and streaming.
#include "source/source_pin.h"
#include "source/enumerator.h"

#include <algorithm>
#include <cstring>

bool StreamProducer::accepts(const AM_MEDIA_TYPE& type) const {
    MediaType offered;
    for (std::size_t i = 0; offeredType(i, offered); ++i)
        if (sameMediaType(offered.get(), type))
            return true;
    return false;
}

SourcePin::SourcePin(SourceFilter& filter, const wchar_t* name, std::unique_ptr<StreamProducer> producer)
    : filter_(filter), name_(name), producer_(std::move(producer)) {}

SourcePin::~SourcePin() {
    waitForEnd();
}

HRESULT SourcePin::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPin)
        *out = static_cast<IPin*>(this);
    else if (iid == IID_IMediaSeeking)
        *out = static_cast<IMediaSeeking*>(this);
    else
        return *out = nullptr, E_NOINTERFACE;
    AddRef();
    return S_OK;
}

// Our types first, then the receiver's, each as far as it fits the type asked for; a type given
// whole is the only one tried.
HRESULT SourcePin::Connect(IPin* receiver, const AM_MEDIA_TYPE* asked) {
    if (receiver == nullptr)
        return E_POINTER;
    std::lock_guard hold(filter_.lock());
    if (peer_)
        return VFW_E_ALREADY_CONNECTED;
    if (!filter_.stopped())
        return VFW_E_NOT_STOPPED;
    if (asked != nullptr && fullySpecified(*asked))
        return tryType(receiver, *asked);
    MediaType type;
    for (std::size_t i = 0; producer_->offeredType(i, type); ++i)
        if ((asked == nullptr || fitsMediaType(*asked, type.get())) && tryType(receiver, type.get()) == S_OK)
            return S_OK;
    ComPtr<IEnumMediaTypes> theirs;
    AM_MEDIA_TYPE* offered = nullptr;
    if (SUCCEEDED(receiver->EnumMediaTypes(&theirs)))
        while (theirs->Next(1, &offered, nullptr) == S_OK) {
            bool connected =
                (asked == nullptr || fitsMediaType(*asked, *offered)) && tryType(receiver, *offered) == S_OK;
            deleteMediaType(offered);
            if (connected)
                return S_OK;
        }
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT SourcePin::tryType(IPin* receiver, const AM_MEDIA_TYPE& type) {
    if (!producer_->accepts(type))
        return VFW_E_TYPE_NOT_ACCEPTED;
    HRESULT hr = receiver->ReceiveConnection(this, &type);
    if (FAILED(hr))
        return hr;
    receiver->AddRef();
    peer_ = ComPtr<IPin>::adopt(receiver);
    {
        std::lock_guard hold(typeLock_);
        type_ = MediaType(type);
    }
    hr = peer_.queryInterface(input_);
    if (SUCCEEDED(hr))
        hr = producer_->useType(type);
    if (SUCCEEDED(hr))
        hr = chooseAllocator();
    if (FAILED(hr)) {
        receiver->Disconnect();
        Disconnect();
    }
    return hr;
}

// The downstream allocator when it can give buffers of the size we need, else a memory
// allocator of our own; either way with the downstream's count, alignment and prefix.
HRESULT SourcePin::chooseAllocator() {
    ALLOCATOR_PROPERTIES needs = producer_->bufferNeeds(), wanted = {};
    input_->GetAllocatorRequirements(&wanted);
    ALLOCATOR_PROPERTIES asked = {std::max({needs.cBuffers, wanted.cBuffers, 1L}),
                                  std::max(needs.cbBuffer, wanted.cbBuffer), std::max(wanted.cbAlign, 1L),
                                  wanted.cbPrefix};
    auto suits = [&](IMemAllocator* allocator) {
        ALLOCATOR_PROPERTIES actual = {};
        return SUCCEEDED(allocator->SetProperties(&asked, &actual)) && actual.cbBuffer >= needs.cbBuffer &&
               actual.cBuffers > 0 && SUCCEEDED(input_->NotifyAllocator(allocator, FALSE));
    };
    ComPtr<IMemAllocator> allocator;
    if (SUCCEEDED(input_->GetAllocator(&allocator)) && suits(allocator.get())) {
        allocator_ = std::move(allocator);
        return S_OK;
    }
    HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                  reinterpret_cast<void**>(&allocator));
    if (FAILED(hr))
        return hr;
    if (!suits(allocator.get()))
        return VFW_E_NO_ALLOCATOR;
    allocator_ = std::move(allocator);
    return S_OK;
}

HRESULT SourcePin::Disconnect() {
    std::lock_guard hold(filter_.lock());
    if (!filter_.stopped())
        return VFW_E_NOT_STOPPED;
    if (!peer_)
        return S_FALSE;
    allocator_.reset();
    input_.reset();
    peer_.reset();
    producer_->disconnected();
    std::lock_guard holdType(typeLock_);
    type_ = MediaType();
    return S_OK;
}

HRESULT SourcePin::ConnectedTo(IPin** pin) {
    if (pin == nullptr)
        return E_POINTER;
    std::lock_guard hold(filter_.lock());
    if ((*pin = peer_.get()) == nullptr)
        return VFW_E_NOT_CONNECTED;
    (*pin)->AddRef();
    return S_OK;
}

HRESULT SourcePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (type == nullptr)
        return E_POINTER;
    std::lock_guard hold(filter_.lock());
    *type = AM_MEDIA_TYPE{};
    if (!peer_)
        return VFW_E_NOT_CONNECTED;
    std::lock_guard holdType(typeLock_);
    return copyMediaType(*type, type_.get()) ? S_OK : E_OUTOFMEMORY;
}

HRESULT SourcePin::QueryPinInfo(PIN_INFO* info) {
    if (info == nullptr)
        return E_POINTER;
    info->dir = PINDIR_OUTPUT;
    info->pFilter = &filter_;
    filter_.AddRef();
    std::size_t length = std::min(name_.size(), std::size(info->achName) - 1);
    std::wmemcpy(info->achName, name_.c_str(), length);
    info->achName[length] = L'\0';
    return S_OK;
}

HRESULT SourcePin::QueryDirection(PIN_DIRECTION* direction) {
    if (direction == nullptr)
        return E_POINTER;
    *direction = PINDIR_OUTPUT;
    return S_OK;
}

HRESULT SourcePin::QueryId(LPWSTR* id) {
    if (id == nullptr)
        return E_POINTER;
    std::size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
    if ((*id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes))) == nullptr)
        return E_OUTOFMEMORY;
    std::memcpy(*id, name_.c_str(), bytes);
    return S_OK;
}

HRESULT SourcePin::QueryAccept(const AM_MEDIA_TYPE* type) {
    if (type == nullptr)
        return E_POINTER;
    return producer_->accepts(*type) ? S_OK : S_FALSE;
}

HRESULT SourcePin::EnumMediaTypes(IEnumMediaTypes** types) {
    if (types == nullptr)
        return E_POINTER;
    *types = new PositionEnumerator<IEnumMediaTypes, AM_MEDIA_TYPE*, SourcePin>(*this);
    return S_OK;
}

std::size_t SourcePin::count() {
    MediaType type;
    std::size_t n = 0;
    while (producer_->offeredType(n, type))
        ++n;
    return n;
}

bool SourcePin::item(std::size_t position, AM_MEDIA_TYPE** type) {
    MediaType offered;
    return producer_->offeredType(position, offered) && (*type = newMediaType(offered.get())) != nullptr;
}
