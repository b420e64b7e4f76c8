#pragma once
// The class object DllGetClassObject hands out for one class of a server:
// one object for the life of the process, never allocated and never freed.
// A host holding a reference keeps the server loaded, as a lock does.
//
// Being static matters beyond speed: Wine's script engines (jscript and
// vbscript, up to at least Wine 8) never release the class object they get
// for each `new ActiveXObject` or `CreateObject`. With a class object made per
// request, every object a script created cost the process one leaked class
// object; with one static object the forgotten reference costs nothing.

#include <unknwn.h>

#include <atomic>

#include "win32/com_server/class_rows.h"

namespace quillant::win32::com_server {

class ClassFactory final : public IClassFactory {
public:
    // Constant-initialized, so that a server's table of class objects exists
    // before any code of the module runs and needs no destructor at unload.
    constexpr ClassFactory(const CLSID* clsid, CreateFunction create) noexcept : clsid_(clsid), create_(create) {}
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    const CLSID& ClassId() const noexcept { return *clsid_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    const CLSID* clsid_;
    CreateFunction create_;
    std::atomic<ULONG> references_{0};
};

// DllGetClassObject for the classes of table.
HRESULT GetClassObject(const ServerTable& table, REFCLSID clsid, REFIID iid, void** out) noexcept;

}  // namespace quillant::win32::com_server
