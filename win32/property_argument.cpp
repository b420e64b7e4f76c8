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

namespace {

// Holds a SAFEARRAY's data open; unaccessed however the reading ends.
class ArrayData {
public:
    explicit ArrayData(SAFEARRAY* array) : array_(array) { hr_ = SafeArrayAccessData(array_, &data_); }
    ArrayData(const ArrayData&) = delete;
    ArrayData& operator=(const ArrayData&) = delete;
    ~ArrayData() {
        if (SUCCEEDED(hr_)) SafeArrayUnaccessData(array_);
    }
    HRESULT result() const { return hr_; }
    void* data() const { return data_; }

private:
    SAFEARRAY* array_;
    void* data_ = nullptr;
    HRESULT hr_;
};

}  // namespace

HRESULT ArgumentToStrings(const VARIANT& argument, LCID lcid, std::vector<std::u16string>& values) {
    if (!IsReadable(argument)) return DISP_E_TYPEMISMATCH;
    const VARIANT* value = V_VT(&argument) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(&argument) : &argument;
    const VARTYPE type = V_VT(value);
    if (!(type & VT_ARRAY)) {
        Bstr text;
        const HRESULT hr = ArgumentToString(*value, lcid, text);
        if (SUCCEEDED(hr)) values.assign(1, std::u16string(text.U16()));
        return hr;
    }
    const VARTYPE element = type & VT_TYPEMASK;
    SAFEARRAY* array = (type & VT_BYREF) ? *V_ARRAYREF(value) : V_ARRAY(value);
    if (!array || SafeArrayGetDim(array) != 1 || (element != VT_VARIANT && element != VT_BSTR)) {
        return DISP_E_TYPEMISMATCH;
    }
    LONG low = 0, high = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &low)) || FAILED(SafeArrayGetUBound(array, 1, &high))) {
        return DISP_E_TYPEMISMATCH;
    }
    const ArrayData data(array);
    if (FAILED(data.result())) return data.result();
    std::vector<std::u16string> texts;
    for (LONG i = 0; i <= high - low; ++i) {
        if (element == VT_BSTR) {
            texts.emplace_back(Bstr::U16Of(static_cast<BSTR*>(data.data())[i]));
            continue;
        }
        Bstr text;
        const HRESULT hr = ArgumentToString(static_cast<VARIANT*>(data.data())[i], lcid, text);
        if (FAILED(hr)) return hr;
        texts.emplace_back(text.U16());
    }
    values = std::move(texts);
    return S_OK;
}

}  // namespace quillant::win32
