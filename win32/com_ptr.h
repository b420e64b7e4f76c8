#pragma once
// Owns one COM reference. No raw AddRef/Release outside this type.

#include <unknwn.h>

#include <utility>

namespace quillant::win32 {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference on p.
    explicit ComPtr(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other) {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr(std::move(other)).Swap(*this);
        return *this;
    }

    // Adopts a reference the caller already owns.
    static ComPtr Attach(T* p) {
        ComPtr result;
        result.p_ = p;
        return result;
    }
    // Hands the reference to the caller, e.g. into an [out] parameter.
    T* Detach() { return std::exchange(p_, nullptr); }

    void Reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    // For [out] parameters: releases what is held and returns the slot.
    T** Put() {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    template <class U>
    HRESULT As(ComPtr<U>& out) const {
        if (!p_) return E_POINTER;
        return p_->QueryInterface(__uuidof(U), out.PutVoid());
    }
    HRESULT QueryTo(REFIID iid, void** out) const {
        if (!p_) return E_POINTER;
        return p_->QueryInterface(iid, out);
    }

    void Swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

    // The object's reference count as AddRef/Release report it: exact for
    // objects of this module, no more than a hint for others.
    ULONG ReferenceCount() const {
        if (!p_) return 0;
        p_->AddRef();
        return p_->Release();
    }

private:
    T* p_ = nullptr;
};

}  // namespace quillant::win32
