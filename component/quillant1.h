#pragma once
// The Quillant1 class: nine stored properties, GetBarWidth and Encode behind
// the dual interface _Quillant1. Setters store what they are given; only the
// two methods do work.

#include "Quillant_h.h"
#include "component/barcode_object.h"
#include "render/barcode_properties.h"

namespace quillant::component {

class Quillant1 final : public BarcodeObject<_Quillant1, BarcodeProperties> {
public:
    // The class factory's CreateInstance. Fails, handing out nothing, when
    // the default drawing object cannot be obtained.
    static HRESULT Create(REFIID iid, void** out) noexcept;

    HRESULT STDMETHODCALLTYPE GetBarWidth(short* width) override;
    HRESULT STDMETHODCALLTYPE Encode(BSTR* result) override;

private:
    explicit Quillant1(win32::ComPtr<IDispatch> deviceObject);
};

}  // namespace quillant::component
