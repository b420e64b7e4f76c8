#include "win32/com_server/class_factory.h"

#include "win32/com_server/server_lifetime.h"

namespace quillant::win32::com_server {

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

// Every reference counts as a live object of the server, so that the server
// stays loaded while any host holds the class object.
ULONG ClassFactory::AddRef() {
    ObjectCreated();
    return ++references_;
}

ULONG ClassFactory::Release() {
    ULONG held = references_.load();
    // A release the host never paired with a reference must not unbalance the
    // server's count of live objects.
    while (held > 0 && !references_.compare_exchange_weak(held, held - 1)) {
    }
    if (held == 0) return 0;
    ObjectDestroyed();
    return held - 1;
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
    for (ClassFactory* factory = table.factories; factory != table.factories + table.factoryCount; ++factory) {
        if (IsEqualCLSID(clsid, factory->ClassId())) return factory->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace quillant::win32::com_server
