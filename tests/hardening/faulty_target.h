#pragma once
// A drawing object in C++ with the members Encode uses, answering as a
// well-behaved picture box (the pen moves to the far corner of every Line),
// except for one member that can be made to misbehave in ways no script
// object can: failing its name lookup, raising with or without a text or
// through a deferred fill-in, failing with a bare HRESULT, or answering a
// value of the wrong kind.

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace quillant::testing {

class FaultyTarget final : public IDispatch {
public:
    // Replaces a member's answer: what Invoke returns, with its result and
    // exception information filled as the behaviour likes.
    using Behaviour = HRESULT (*)(VARIANT* result, EXCEPINFO* excep);

    struct Fault {
        const wchar_t* member = nullptr;  // none: every member behaves
        HRESULT lookup = S_OK;            // what GetIDsOfNames answers for it, when failing
        Behaviour behaviour = nullptr;    // what Invoke does for it instead, when set
        bool printer = false;             // answers the forms runtime's Printer interface
    };

    explicit FaultyTarget(Fault fault) : fault_(fault) {}
    FaultyTarget(const FaultyTarget&) = delete;
    FaultyTarget& operator=(const FaultyTarget&) = delete;

    ULONG references() const { return references_; }
    // How many names GetIDsOfNames has been asked for.
    size_t lookups() const { return lookups_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argError) override;

private:
    HRESULT Answer(size_t member, WORD flags, const DISPPARAMS& params, VARIANT* result);

    Fault fault_;
    ULONG references_ = 1;
    size_t lookups_ = 0;
    double penX_ = 0;
    double penY_ = 0;
};

}  // namespace quillant::testing
