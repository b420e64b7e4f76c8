#include "win32/property_argument.h"

#include <limits>

#include "win32/exact_boolean.h"
#include "win32/variant.h"
#include "encoding/vb_error.h"
#include "encoding/vb_numbers.h"

namespace quillant::win32 {
namespace {

HRESULT AssignmentFailure(HRESULT hr) {
    if (hr == DISP_E_OVERFLOW || hr == E_OUTOFMEMORY) return hr;
    return DISP_E_TYPEMISMATCH;
}

// The value itself: VBScript passes its variables by reference.
HRESULT Dereferenced(const VARIANT& argument, Variant& value) {
    if (!IsReadable(argument)) return DISP_E_TYPEMISMATCH;
    HRESULT hr = VariantCopyInd(value.Put(), const_cast<VARIANT*>(&argument));
    // A variable of a script's variant holding a reference of its own.
    if (SUCCEEDED(hr) && (V_VT(value.Get()) & VT_BYREF)) hr = VariantCopyInd(value.Get(), value.Get());
    return hr;
}

HRESULT Converted(const VARIANT& argument, LCID lcid, VARTYPE type, Variant& value) {
    HRESULT hr = Dereferenced(argument, value);
    if (SUCCEEDED(hr) && V_VT(value.Get()) != type) hr = VariantChangeTypeEx(value.Get(), value.Get(), lcid, 0, type);
    return FAILED(hr) ? AssignmentFailure(hr) : S_OK;
}

// Integers are range-checked as they are; everything else (floating values,
// currency, dates, text, an object's default value) goes through a double
// and is rounded half to even, as CInt and CLng round.
template <class Int, Int (*Round)(double), bool (*Fits)(int64_t)>
HRESULT ArgumentToInteger(const VARIANT& argument, LCID lcid, Int& out) {
    Variant value;
    HRESULT hr = Dereferenced(argument, value);
    if (FAILED(hr)) return AssignmentFailure(hr);
    const VARIANT& v = *value.Get();
    int64_t whole = 0;
    switch (V_VT(&v)) {
        case VT_I1: whole = V_I1(&v); break;
        case VT_UI1: whole = V_UI1(&v); break;
        case VT_I2: whole = V_I2(&v); break;
        case VT_UI2: whole = V_UI2(&v); break;
        case VT_I4: whole = V_I4(&v); break;
        case VT_UI4: whole = V_UI4(&v); break;
        case VT_INT: whole = V_INT(&v); break;
        case VT_UINT: whole = V_UINT(&v); break;
        case VT_I8: whole = V_I8(&v); break;
        case VT_UI8:
            if (V_UI8(&v) > static_cast<ULONGLONG>(std::numeric_limits<int64_t>::max())) return DISP_E_OVERFLOW;
            whole = static_cast<int64_t>(V_UI8(&v));
            break;
        case VT_BOOL: whole = V_BOOL(&v); break;
        default: {
            Variant number;
            hr = Converted(v, lcid, VT_R8, number);
            if (FAILED(hr)) return hr;
            try {
                out = Round(V_R8(number.Get()));  // NaN and infinities overflow here
            } catch (const VbError&) {
                return DISP_E_OVERFLOW;
            }
            return S_OK;
        }
    }
    if (!Fits(whole)) return DISP_E_OVERFLOW;
    out = static_cast<Int>(whole);
    return S_OK;
}

}  // namespace

HRESULT ArgumentToLong(const VARIANT& argument, LCID lcid, int32_t& value) {
    return ArgumentToInteger<int32_t, vb::ToInt32, vb::FitsInt32>(argument, lcid, value);
}

HRESULT ArgumentToShort(const VARIANT& argument, LCID lcid, int16_t& value) {
    return ArgumentToInteger<int16_t, vb::ToInt16, vb::FitsInt16>(argument, lcid, value);
}

HRESULT ArgumentToBoolean(const VARIANT& argument, LCID lcid, VARIANT_BOOL& value) {
    if (!IsReadable(argument)) return DISP_E_TYPEMISMATCH;
    if (ExactBoolean(argument, value)) return S_OK;
    Variant converted;
    const HRESULT hr = Converted(argument, lcid, VT_BOOL, converted);
    if (SUCCEEDED(hr)) value = V_BOOL(converted.Get());
    return hr;
}

HRESULT ArgumentToString(const VARIANT& argument, LCID lcid, Bstr& value) {
    Variant converted;
    const HRESULT hr = Converted(argument, lcid, VT_BSTR, converted);
    if (SUCCEEDED(hr)) value = Bstr::CopyOf(V_BSTR(converted.Get()));
    return hr;
}

}  // namespace quillant::win32
