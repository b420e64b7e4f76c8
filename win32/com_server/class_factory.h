#pragma once
// The class object DllGetClassObject hands out for one class of a table. A
// host holding one keeps the server loaded, as a lock does.

#include <unknwn.h>

#include <atomic>

#include "win32/com_server/class_rows.h"

namespace quillant::win32::com_server {

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(CreateFunction create) noexcept;
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory();

    CreateFunction create_;
    std::atomic<ULONG> references_{1};
};

// DllGetClassObject for the classes of table.
HRESULT GetClassObject(const ServerTable& table, REFCLSID clsid, REFIID iid, void** out) noexcept;

}  // namespace quillant::win32::com_server
