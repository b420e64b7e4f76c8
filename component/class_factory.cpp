#include "component/class_factory.h"

#include "component/quillant1.h"
#include "component/server_lifetime.h"

namespace quillant::component {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

// A static object: counting references would only invite a double free.
ULONG ClassFactory::AddRef() { return 2; }
ULONG ClassFactory::Release() { return 1; }

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return Quillant1::Create(iid, out);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    component::LockServer(lock != FALSE);
    return S_OK;
}

ClassFactory& Quillant1Factory() noexcept {
    static ClassFactory factory;
    return factory;
}

}  // namespace quillant::component
