#include "forms/server/class_factory.h"

#include "win32/com_ptr.h"

namespace quillant::forms::server {
namespace {
std::atomic<long> locks{0};
}  // namespace

long ServerLocks() { return locks; }

ClassFactory::ClassFactory(CreateFunction create) : create_(create) { ++locks; }
ClassFactory::~ClassFactory() { --locks; }

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG ClassFactory::AddRef() { return ++references_; }

ULONG ClassFactory::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    win32::ComPtr<IDispatch> object;
    const HRESULT hr = create_(object.Put());
    if (FAILED(hr)) return hr;
    return object.QueryTo(iid, out);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        ++locks;
    } else {
        --locks;
    }
    return S_OK;
}

}  // namespace quillant::forms::server
