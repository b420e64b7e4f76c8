#include "component/quillant1.h"

#include <new>

#include "component/encode_operation.h"
#include "component/shared_drawing_objects.h"
#include "encoding/pattern_builder.h"

namespace quillant::component {

HRESULT Quillant1::Create(REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    win32::ComPtr<IDispatch> printer;
    const HRESULT hr = DefaultPrinter(printer.Put());
    if (FAILED(hr)) return hr;
    // The new object's own reference goes with the owner; the caller's comes
    // from QueryInterface.
    const auto object = win32::ComPtr<Quillant1>::Attach(new (std::nothrow) Quillant1(std::move(printer)));
    if (!object) return E_OUTOFMEMORY;
    return object->QueryInterface(iid, out);
}

Quillant1::Quillant1(win32::ComPtr<IDispatch> deviceObject)
    : BarcodeObject(L"Quillant.Quillant1", CLSID_Quillant1, std::move(deviceObject)) {}

HRESULT Quillant1::GetBarWidth(short* width) {
    if (!width) return E_POINTER;
    return Boundary([&] {
        *width = BarWidth(properties_.encodeString, properties_.elementWidth);
        return S_OK;
    });
}

HRESULT Quillant1::Encode(BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Boundary([&] {
        const std::u16string text = EncodeOnDevice(properties_, deviceObject_.Get(), modulePattern_);
        *result = win32::Bstr(text).Detach();
        return S_OK;
    });
}

}  // namespace quillant::component
