// A move-only owning reference to a COM interface.
#pragma once
#include <unknwn.h>
#include <memory>
#include <utility>

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != std::addressof(other)) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    // Takes over a reference the caller already owns.
    static ComPtr adopt(T* p) {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: the old reference is released first.
    T** operator&() {
        reset();
        return &p_;
    }
    void reset() {
        if (p_ != nullptr)
            std::exchange(p_, nullptr)->Release();
    }
    template <class U> HRESULT queryInterface(ComPtr<U>& out) const {
        if (p_ == nullptr) {
            out.reset();
            return E_POINTER;
        }
        return p_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(&out));
    }

private:
    T* p_ = nullptr;
};
