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

    HRESULT STDMETHODCALLTYPE GetBarWidth(short* width) override;
    HRESULT STDMETHODCALLTYPE Encode(BSTR* result) override;

private:
    friend HRESULT CreateBarcodeObject<Quillant1>(REFIID iid, void** out) noexcept;
    explicit Quillant1(win32::ComPtr<IDispatch> deviceObject);
};

}  // namespace quillant::component
