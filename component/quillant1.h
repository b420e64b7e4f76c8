#pragma once
// The Quillant1 class: nine stored properties, GetBarWidth and Encode behind
// the dual interface _Quillant1. Setters store what they are given; only the
// two methods do work.

#include <atomic>
#include <string>

#include "Quillant_h.h"
#include "render/barcode_properties.h"
#include "win32/com_ptr.h"
#include "win32/type_info_dispatch.h"

namespace quillant::component {

class Quillant1 final : public win32::TypeInfoDispatch<_Quillant1>, public ISupportErrorInfo {
public:
    // The class factory's CreateInstance. Fails, handing out nothing, when
    // the default drawing object cannot be obtained.
    static HRESULT Create(REFIID iid, void** out) noexcept;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: property puts convert their value as Visual Basic does (see
    // property_argument.h); the type library answers everything else.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argError) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // _Quillant1, in the order of its function table
    HRESULT STDMETHODCALLTYPE put_Orientation(::Orientations value) override;
    HRESULT STDMETHODCALLTYPE get_Orientation(::Orientations* value) override;
    HRESULT STDMETHODCALLTYPE put_VisibleCode(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_VisibleCode(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_IndentedCode(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_IndentedCode(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE GetBarWidth(short* width) override;
    HRESULT STDMETHODCALLTYPE Encode(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE put_XPosition(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_XPosition(LONG* value) override;
    HRESULT STDMETHODCALLTYPE put_YPosition(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_YPosition(LONG* value) override;
    HRESULT STDMETHODCALLTYPE put_BarHeight(short value) override;
    HRESULT STDMETHODCALLTYPE get_BarHeight(short* value) override;
    HRESULT STDMETHODCALLTYPE put_ElementWidth(short value) override;
    HRESULT STDMETHODCALLTYPE get_ElementWidth(short* value) override;
    HRESULT STDMETHODCALLTYPE putref_DeviceObject(IDispatch* value) override;
    HRESULT STDMETHODCALLTYPE get_DeviceObject(IDispatch** value) override;
    HRESULT STDMETHODCALLTYPE put_EncodeString(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_EncodeString(BSTR* value) override;

private:
    explicit Quillant1(win32::ComPtr<IDispatch> deviceObject);

    // A put of one of the properties set by value: true, with the outcome in
    // hr, when member is one of them.
    bool PutArgument(DISPID member, const DISPPARAMS& params, LCID lcid, HRESULT& hr);
    ~Quillant1() override;

    std::atomic<ULONG> references_{1};
    BarcodeProperties properties_;
    win32::ComPtr<IDispatch> deviceObject_;
    std::string modulePattern_;  // of the last Encode
};

}  // namespace quillant::component
