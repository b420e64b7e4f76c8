#pragma once
// The class object of Quillant1 that DllGetClassObject hands out. It lives as
// long as the module; its references do not keep the server loaded, its
// locks do.

#include <unknwn.h>

namespace quillant::component {

class ClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

// The one class object of the module.
ClassFactory& Quillant1Factory() noexcept;

}  // namespace quillant::component
