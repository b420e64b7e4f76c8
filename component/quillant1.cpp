#include "component/quillant1.h"

#include <new>

#include "win32/bstr.h"
#include "component/shared_drawing_objects.h"
#include "component/encode_operation.h"
#include "encoding/pattern_builder.h"
#include "component/property_argument.h"
#include "win32/com_server/server_lifetime.h"
#include "win32/vb_com_error.h"

namespace quillant::component {
namespace {

constexpr wchar_t kErrorSource[] = L"Quillant.Quillant1";
// The DISPIDs of the properties put by value, as the type library publishes them.
constexpr DISPID kOrientationId = 0x68030008;
constexpr DISPID kVisibleCodeId = 0x68030007;
constexpr DISPID kIndentedCodeId = 0x68030006;
constexpr DISPID kXPositionId = 0x68030005;
constexpr DISPID kYPositionId = 0x68030004;
constexpr DISPID kBarHeightId = 0x68030003;
constexpr DISPID kElementWidthId = 0x68030002;
constexpr DISPID kEncodeStringId = 0x68030000;

// Reads one stored value out; the only failure is a null out pointer.
template <class T>
HRESULT Read(const T& field, T* out) {
    if (!out) return E_POINTER;
    *out = field;
    return S_OK;
}

}  // namespace

HRESULT Quillant1::Create(REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    win32::ComPtr<IDispatch> printer;
    const HRESULT hr = DefaultPrinter(printer.Put());
    if (FAILED(hr)) return hr;
    const auto object = win32::ComPtr<Quillant1>::Attach(new (std::nothrow) Quillant1(std::move(printer)));
    if (!object) return E_OUTOFMEMORY;
    return object.QueryTo(iid, out);
}

Quillant1::Quillant1(win32::ComPtr<IDispatch> deviceObject) : deviceObject_(std::move(deviceObject)) {
    win32::com_server::ObjectCreated();
}

Quillant1::~Quillant1() { win32::com_server::ObjectDestroyed(); }

HRESULT Quillant1::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__Quillant1) {
        *out = static_cast<_Quillant1*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
        *out = static_cast<ISupportErrorInfo*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG Quillant1::AddRef() { return ++references_; }

ULONG Quillant1::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT Quillant1::Invoke(DISPID member, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO* excep, UINT* argError) {
    HRESULT hr = S_OK;
    if ((flags & DISPATCH_PROPERTYPUT) && params && IsEqualIID(iid, IID_NULL) && PutArgument(member, *params, lcid, hr)) {
        if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) && argError) *argError = 0;
        return hr;
    }
    return TypeInfoDispatch::Invoke(member, iid, lcid, flags, params, result, excep, argError);
}

bool Quillant1::PutArgument(DISPID member, const DISPPARAMS& params, LCID lcid, HRESULT& hr) {
    switch (member) {
        case kOrientationId: case kVisibleCodeId: case kIndentedCodeId: case kXPositionId: case kYPositionId:
        case kBarHeightId: case kElementWidthId: case kEncodeStringId:
            break;
        default:
            return false;  // DeviceObject is put by reference; the type library answers the rest
    }
    if (params.cNamedArgs != 1 || !params.rgdispidNamedArgs || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
        hr = DISP_E_PARAMNOTFOUND;
        return true;
    }
    if (params.cArgs != 1 || !params.rgvarg) {
        hr = DISP_E_BADPARAMCOUNT;
        return true;
    }
    const VARIANT& argument = params.rgvarg[0];
    int32_t number = 0;
    int16_t small = 0;
    VARIANT_BOOL flag = 0;
    win32::Bstr text;
    switch (member) {
        case kOrientationId:
            hr = ArgumentToLong(argument, lcid, number);
            if (SUCCEEDED(hr)) hr = put_Orientation(static_cast<::Orientations>(number));
            break;
        case kXPositionId:
        case kYPositionId:
            hr = ArgumentToLong(argument, lcid, number);
            if (SUCCEEDED(hr)) {
                LONG position = number;
                hr = member == kXPositionId ? put_XPosition(&position) : put_YPosition(&position);
            }
            break;
        case kBarHeightId:
        case kElementWidthId:
            hr = ArgumentToShort(argument, lcid, small);
            if (SUCCEEDED(hr)) hr = member == kBarHeightId ? put_BarHeight(small) : put_ElementWidth(small);
            break;
        case kVisibleCodeId:
        case kIndentedCodeId:
            hr = ArgumentToBoolean(argument, lcid, flag);
            if (SUCCEEDED(hr)) hr = member == kVisibleCodeId ? put_VisibleCode(flag) : put_IndentedCode(flag);
            break;
        default:
            hr = ArgumentToString(argument, lcid, text);
            if (SUCCEEDED(hr)) hr = put_EncodeString(text.Get());
            break;
    }
    return true;
}

HRESULT Quillant1::InterfaceSupportsErrorInfo(REFIID iid) { return iid == IID__Quillant1 ? S_OK : S_FALSE; }

HRESULT Quillant1::put_Orientation(::Orientations value) {
    properties_.orientation = static_cast<int32_t>(value);
    return S_OK;
}
HRESULT Quillant1::get_Orientation(::Orientations* value) {
    if (!value) return E_POINTER;
    *value = static_cast<::Orientations>(properties_.orientation);
    return S_OK;
}

HRESULT Quillant1::put_VisibleCode(VARIANT_BOOL value) {
    properties_.visibleCode = value;
    return S_OK;
}
HRESULT Quillant1::get_VisibleCode(VARIANT_BOOL* value) { return Read<VARIANT_BOOL>(properties_.visibleCode, value); }

HRESULT Quillant1::put_IndentedCode(VARIANT_BOOL value) {
    properties_.indentedCode = value;
    return S_OK;
}
HRESULT Quillant1::get_IndentedCode(VARIANT_BOOL* value) {
    return Read<VARIANT_BOOL>(properties_.indentedCode, value);
}

HRESULT Quillant1::GetBarWidth(short* width) {
    if (!width) return E_POINTER;
    return win32::ComBoundary(IID__Quillant1, kErrorSource, [&] {
        *width = BarWidth(properties_.encodeString, properties_.elementWidth);
        return S_OK;
    });
}

HRESULT Quillant1::Encode(BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return win32::ComBoundary(IID__Quillant1, kErrorSource, [&] {
        const std::u16string text = EncodeOnDevice(properties_, deviceObject_.Get(), modulePattern_);
        *result = win32::Bstr(text).Detach();
        return S_OK;
    });
}

// The new position arrives through a pointer that is only read: the
// caller's variable is never written.
HRESULT Quillant1::put_XPosition(LONG* value) {
    if (!value) return E_POINTER;
    properties_.xPosition = *value;
    return S_OK;
}
HRESULT Quillant1::get_XPosition(LONG* value) { return Read<LONG>(properties_.xPosition, value); }

HRESULT Quillant1::put_YPosition(LONG* value) {
    if (!value) return E_POINTER;
    properties_.yPosition = *value;
    return S_OK;
}
HRESULT Quillant1::get_YPosition(LONG* value) { return Read<LONG>(properties_.yPosition, value); }

HRESULT Quillant1::put_BarHeight(short value) {
    properties_.barHeight = value;
    return S_OK;
}
HRESULT Quillant1::get_BarHeight(short* value) { return Read<short>(properties_.barHeight, value); }

HRESULT Quillant1::put_ElementWidth(short value) {
    properties_.elementWidth = value;
    return S_OK;
}
HRESULT Quillant1::get_ElementWidth(short* value) { return Read<short>(properties_.elementWidth, value); }

HRESULT Quillant1::putref_DeviceObject(IDispatch* value) {
    deviceObject_ = win32::ComPtr<IDispatch>(value);
    return S_OK;
}
HRESULT Quillant1::get_DeviceObject(IDispatch** value) {
    if (!value) return E_POINTER;
    *value = win32::ComPtr<IDispatch>(deviceObject_).Detach();
    return S_OK;
}

HRESULT Quillant1::put_EncodeString(BSTR value) {
    return win32::ComBoundary(IID__Quillant1, kErrorSource, [&] {
        properties_.encodeString = win32::Bstr::U16Of(value);
        return S_OK;
    });
}
HRESULT Quillant1::get_EncodeString(BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return win32::ComBoundary(IID__Quillant1, kErrorSource, [&] {
        *value = win32::Bstr(properties_.encodeString).Detach();
        return S_OK;
    });
}

}  // namespace quillant::component
