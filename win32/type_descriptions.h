#pragma once
// Ownership of the descriptions a type library lends out (TYPEATTR,
// FUNCDESC, VARDESC, TLIBATTR): each goes back to the ITypeInfo or ITypeLib
// that handed it out, which stays referenced until then.

#include <oaidl.h>

#include <utility>

#include "win32/com_ptr.h"

namespace quillant::win32 {

template <class Owner, class Description, void (STDMETHODCALLTYPE Owner::*ReleaseFn)(Description*)>
class LentDescription {
public:
    LentDescription() = default;
    LentDescription(const LentDescription&) = delete;
    LentDescription& operator=(const LentDescription&) = delete;
    LentDescription(LentDescription&& other) noexcept
        : owner_(std::move(other.owner_)), d_(std::exchange(other.d_, nullptr)) {}
    ~LentDescription() { Reset(); }

    void Reset() {
        if (Description* d = std::exchange(d_, nullptr)) (owner_.Get()->*ReleaseFn)(d);
        owner_.Reset();
    }
    // For the [out] parameter of the call that lends the description.
    Description** Put(Owner* owner) {
        Reset();
        owner_ = ComPtr<Owner>(owner);
        return &d_;
    }

    const Description* Get() const { return d_; }
    const Description* operator->() const { return d_; }
    explicit operator bool() const { return d_ != nullptr; }

private:
    ComPtr<Owner> owner_;
    Description* d_ = nullptr;
};

using TypeAttr = LentDescription<ITypeInfo, TYPEATTR, &ITypeInfo::ReleaseTypeAttr>;
using FuncDesc = LentDescription<ITypeInfo, FUNCDESC, &ITypeInfo::ReleaseFuncDesc>;
using VarDesc = LentDescription<ITypeInfo, VARDESC, &ITypeInfo::ReleaseVarDesc>;
using LibAttr = LentDescription<ITypeLib, TLIBATTR, &ITypeLib::ReleaseTLibAttr>;

inline HRESULT GetTypeAttr(ITypeInfo* info, TypeAttr& out) { return info->GetTypeAttr(out.Put(info)); }
inline HRESULT GetFuncDesc(ITypeInfo* info, UINT index, FuncDesc& out) {
    return info->GetFuncDesc(index, out.Put(info));
}
inline HRESULT GetVarDesc(ITypeInfo* info, UINT index, VarDesc& out) { return info->GetVarDesc(index, out.Put(info)); }
inline HRESULT GetLibAttr(ITypeLib* library, LibAttr& out) { return library->GetLibAttr(out.Put(library)); }

}  // namespace quillant::win32
