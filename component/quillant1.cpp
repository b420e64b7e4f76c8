#include "component/quillant1.h"

#include "component/encode_operation.h"
#include "encoding/symbol_encoder.h"

namespace quillant::component {

Quillant1::Quillant1(win32::ComPtr<IDispatch> deviceObject)
    : BarcodeObject(L"Quillant.Quillant1", CLSID_Quillant1, std::move(deviceObject)) {}

HRESULT Quillant1::GetBarWidth(short* width) {
    if (!width) return E_POINTER;
    return Boundary([&] {
        *width = BarWidth(properties_.encodeString, Encoding::Quillant1, properties_.elementWidth);
        return S_OK;
    });
}

HRESULT Quillant1::Encode(BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Boundary([&] {
        const OnDevice call(this);
        if (call.RefusedEncode(result)) return S_OK;
        const std::u16string text = EncodeOnDevice(properties_, deviceObject_.Get());
        *result = win32::Bstr(text).Detach();
        return S_OK;
    });
}

}  // namespace quillant::component
