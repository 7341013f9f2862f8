// IEnumPins and IEnumMediaTypes over a list its owner (the filter, a pin) answers by position.
// The enumerator holds a reference to its owner, which answers count(), item(position, &out)
// (a new reference or copy; false past the end) and version(): a list that changed since the
// enumerator was made or reset answers VFW_E_ENUM_OUT_OF_SYNC.
#pragma once
#include <windows.h>
#include <dshow.h>

#include <cstddef>

template <class Enum, class Item, class Owner> class PositionEnumerator final : public Enum {
public:
    explicit PositionEnumerator(Owner& owner) : owner_(owner), version_(owner.version()) { owner_.AddRef(); }
    ~PositionEnumerator() { owner_.Release(); }
    PositionEnumerator(const PositionEnumerator&) = delete;
    PositionEnumerator& operator=(const PositionEnumerator&) = delete;

    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        if (iid != IID_IUnknown && iid != __uuidof(Enum))
            return *out = nullptr, E_NOINTERFACE;
        *out = static_cast<Enum*>(this);
        AddRef();
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG WINAPI Release() override {
        LONG refs = InterlockedDecrement(&refs_);
        if (refs == 0)
            delete this;
        return refs;
    }

    HRESULT WINAPI Next(ULONG count, Item* items, ULONG* fetched) override {
        if (items == nullptr || (count > 1 && fetched == nullptr))
            return E_POINTER;
        if (version_ != owner_.version())
            return VFW_E_ENUM_OUT_OF_SYNC;
        ULONG n = 0;
        while (n < count && owner_.item(position_, &items[n]))
            ++n, ++position_;
        if (fetched != nullptr)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Skip(ULONG count) override {
        if (version_ != owner_.version())
            return VFW_E_ENUM_OUT_OF_SYNC;
        std::size_t total = owner_.count(), left = total > position_ ? total - position_ : 0;
        std::size_t skipped = count < left ? count : left;
        position_ += skipped;
        return skipped == count ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Reset() override {
        version_ = owner_.version();
        position_ = 0;
        return S_OK;
    }
    HRESULT WINAPI Clone(Enum** out) override {
        if (out == nullptr)
            return E_POINTER;
        auto* copy = new PositionEnumerator(owner_);
        copy->version_ = version_;
        copy->position_ = position_;
        *out = copy;
        return S_OK;
    }

private:
    LONG refs_ = 1;
    Owner& owner_;
    LONG version_;
    std::size_t position_ = 0;
};
