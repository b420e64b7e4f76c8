#include "win32/com_server/class_factory.h"

#include <new>

#include "win32/com_server/server_lifetime.h"

namespace quillant::win32::com_server {

ClassFactory::ClassFactory(CreateFunction create) noexcept : create_(create) { ObjectCreated(); }

ClassFactory::~ClassFactory() { ObjectDestroyed(); }

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
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
    return create_(iid, out);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        com_server::LockServer();
    } else {
        UnlockServer();
    }
    return S_OK;
}

HRESULT GetClassObject(const ServerTable& table, REFCLSID clsid, REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const ClassMaker* maker = table.makers; maker != table.makers + table.makerCount; ++maker) {
        if (!IsEqualCLSID(clsid, *maker->clsid)) continue;
        const auto factory = ComPtr<ClassFactory>::Attach(new (std::nothrow) ClassFactory(maker->create));
        if (!factory) return E_OUTOFMEMORY;
        return factory.QueryTo(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace quillant::win32::com_server
