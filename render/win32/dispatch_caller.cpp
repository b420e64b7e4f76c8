#include "dispatch_caller.h"

#include <dispex.h>

#include <algorithm>
#include <vector>

#include "bstr.h"
#include "vb_com_error.h"
#include "vb_error.h"

namespace quillant::render::win32 {

using quillant::win32::Bstr;
using quillant::win32::ComPtr;
using quillant::win32::ErrorFromCall;
using quillant::win32::ExcepInfo;
using quillant::win32::Variant;

DispatchCaller::DispatchCaller(IDispatch* object) : object_(object) {
    if (!object_) throw vb_errors::ObjectNotSet();
}

DISPID DispatchCaller::Resolve(const wchar_t* name) {
    const auto found = ids_.find(name);
    if (found != ids_.end()) return found->second;

    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        // Script objects (a VBScript Class instance, a JScript object) may only
        // answer through IDispatchEx; member names are case-insensitive in
        // Visual Basic.
        ComPtr<IDispatchEx> ex;
        if (SUCCEEDED(object_.As(ex))) {
            Bstr bstrName{std::wstring_view(name)};
            const HRESULT exHr = ex->GetDispID(bstrName.Get(), fdexNameCaseInsensitive, &id);
            if (SUCCEEDED(exHr)) hr = exHr;
        }
    }
    if (FAILED(hr)) throw ErrorFromCall(hr == E_NOTIMPL ? DISP_E_UNKNOWNNAME : hr, nullptr, nullptr);
    ids_.emplace(name, id);
    return id;
}

Variant DispatchCaller::Invoke(const wchar_t* name, WORD flags, DISPPARAMS& params) {
    const DISPID id = Resolve(name);
    Variant result;
    ExcepInfo excep;
    UINT argError = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                       (flags & DISPATCH_PROPERTYPUT) ? nullptr : result.Put(), &excep, &argError);
    if (FAILED(hr)) throw ErrorFromCall(hr, &excep, object_.Get());
    return result;
}

Variant DispatchCaller::Get(const wchar_t* name) {
    DISPPARAMS params{};
    return Invoke(name, DISPATCH_PROPERTYGET, params);
}

void DispatchCaller::Put(const wchar_t* name, const VARIANT& value) {
    VARIANT arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    Invoke(name, DISPATCH_PROPERTYPUT, params);
}

Variant DispatchCaller::Call(const wchar_t* name, std::initializer_list<VARIANT> args) {
    // IDispatch takes arguments last to first.
    std::vector<VARIANT> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, params);
}

VARIANT ArgDouble(double value) {
    VARIANT v;
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    return v;
}
VARIANT ArgShort(int16_t value) {
    VARIANT v;
    V_VT(&v) = VT_I2;
    V_I2(&v) = value;
    return v;
}
VARIANT ArgLong(int32_t value) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}
VARIANT ArgBool(bool value) {
    VARIANT v;
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}
VARIANT ArgString(BSTR value) {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = value;
    return v;
}
VARIANT ArgObject(IDispatch* value) {
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = value;
    return v;
}

namespace {

void Convert(Variant& value, VARTYPE type) {
    const HRESULT hr = value.ChangeType(type);
    if (FAILED(hr)) throw ErrorFromCall(hr, nullptr, nullptr);
}

}  // namespace

double AsDouble(Variant& value) {
    Convert(value, VT_R8);
    return V_R8(value.Get());
}
int32_t AsLong(Variant& value) {
    Convert(value, VT_I4);
    return V_I4(value.Get());
}
bool AsBool(Variant& value) {
    Convert(value, VT_BOOL);
    return V_BOOL(value.Get()) != VARIANT_FALSE;
}
std::u16string AsString(Variant& value) {
    Convert(value, VT_BSTR);
    return std::u16string(Bstr::U16Of(V_BSTR(value.Get())));
}

}  // namespace quillant::render::win32
