#pragma once
// Owns one VARIANT: cleared on destruction and before reuse.

#include <oleauto.h>

#include <utility>

namespace quillant::win32 {

// Empty is all zeros (VT_EMPTY is 0), set here rather than by VariantInit: a
// drawing call makes several Variants, and each VariantInit was a call into
// oleaut32.
class Variant {
public:
    Variant() = default;
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept {
        v_ = other.v_;
        other.v_ = VARIANT{};
    }
    // An empty variant holds nothing to clear (the common case for results
    // of calls that return none).
    ~Variant() {
        if (V_VT(&v_) != VT_EMPTY) VariantClear(&v_);
    }

    VARIANT* Get() { return &v_; }
    const VARIANT* Get() const { return &v_; }
    // Clears what is held and returns the slot for an [out] VARIANT.
    VARIANT* Put() {
        if (V_VT(&v_) != VT_EMPTY) VariantClear(&v_);
        return &v_;
    }
    VARIANT* operator->() { return &v_; }
    const VARIANT* operator->() const { return &v_; }

    // Converts in place; on failure the variant keeps its value.
    HRESULT ChangeType(VARTYPE type) { return VariantChangeType(&v_, &v_, 0, type); }

    // Hands the value to an [out] VARIANT owned by the caller.
    void Detach(VARIANT* out) {
        *out = v_;
        v_ = VARIANT{};
    }

private:
    VARIANT v_{};
};

// Whether an argument can be read: a by-reference argument must point
// somewhere, and a VT_BYREF | VT_VARIANT may lead to one more level at most.
// Automation's own copying follows such pointers without asking.
inline bool IsReadable(const VARIANT& argument) {
    const VARIANT* value = &argument;
    if (V_VT(value) == (VT_BYREF | VT_VARIANT)) {
        value = V_VARIANTREF(value);
        if (!value || V_VT(value) == (VT_BYREF | VT_VARIANT)) return false;
    }
    return !(V_VT(value) & VT_BYREF) || V_BYREF(value) != nullptr;
}

}  // namespace quillant::win32
