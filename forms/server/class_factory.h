#pragma once
// One class factory per creatable class, made from the class's factory
// function. Server locks count towards DllCanUnloadNow.

#include <oaidl.h>

#include <atomic>

namespace quillant::forms::server {

using CreateFunction = HRESULT (*)(IDispatch** out);

// Outstanding IClassFactory::LockServer(TRUE) calls and live factories.
long ServerLocks();

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(CreateFunction create);

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

}  // namespace quillant::forms::server
