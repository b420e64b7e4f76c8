#pragma once
// An IDispatch on the test's stack that counts its references and has at
// most one member: its default value (DISPID_VALUE), which automation reads
// when an object is handed where a value belongs.

#include <oaidl.h>

namespace quillant::testing {

class StubDispatch final : public IDispatch {
public:
    using ValueMaker = void (*)(VARIANT&);

    explicit StubDispatch(ValueMaker value = nullptr) : value_(value) {}

    ULONG references() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IDispatch) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (member != DISPID_VALUE || !value_ || !(flags & DISPATCH_PROPERTYGET) || !result) {
            return DISP_E_MEMBERNOTFOUND;
        }
        VariantInit(result);
        value_(*result);
        return S_OK;
    }

private:
    ValueMaker value_;
    ULONG references_ = 1;
};

}  // namespace quillant::testing
