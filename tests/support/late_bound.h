#pragma once
// Calls an object by member name through IDispatch, the way the renderer and
// script hosts reach the stand-ins: GetIDsOfNames, then Invoke with the
// arguments as VARIANTs. A failed call comes back as a VbError with the
// object's own number and description.

#include <windows.h>
#include <oaidl.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/variant.h"
#include "win32/vb_com_error.h"

namespace quillant::testing {

// One argument, owned.
class Arg {
public:
    Arg(double value) {
        V_VT(v_.Get()) = VT_R8;
        V_R8(v_.Get()) = value;
    }
    Arg(int value) {
        V_VT(v_.Get()) = VT_I4;
        V_I4(v_.Get()) = value;
    }
    Arg(short value) {
        V_VT(v_.Get()) = VT_I2;
        V_I2(v_.Get()) = value;
    }
    Arg(bool value) {
        V_VT(v_.Get()) = VT_BOOL;
        V_BOOL(v_.Get()) = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    Arg(const wchar_t* text) {
        V_VT(v_.Get()) = VT_BSTR;
        V_BSTR(v_.Get()) = win32::Bstr(std::wstring_view(text)).Detach();
    }
    // All of the text, NULs included, as a BSTR carries it.
    Arg(const std::wstring& text) {
        V_VT(v_.Get()) = VT_BSTR;
        V_BSTR(v_.Get()) = win32::Bstr(text).Detach();
    }
    Arg(IDispatch* object) {
        V_VT(v_.Get()) = VT_DISPATCH;
        V_DISPATCH(v_.Get()) = win32::ComPtr<IDispatch>(object).Detach();
    }
    Arg(const Arg& other) { VariantCopy(v_.Get(), const_cast<VARIANT*>(other.v_.Get())); }
    const VARIANT& Get() const { return *v_.Get(); }

private:
    win32::Variant v_;
};

// Invoke by DISPID with the arguments first to last, as the object answers
// it; a put names its value DISPID_PROPERTYPUT, as automation clients do.
inline HRESULT InvokeById(IDispatch* object, DISPID member, WORD flags, const VARIANT* args, size_t count,
                          win32::Variant* result, win32::ExcepInfo& excep) {
    // Invoke takes the arguments last to first.
    std::vector<VARIANT> reversed(args, args + count);
    std::reverse(reversed.begin(), reversed.end());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    UINT argError = 0;
    return object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result ? result->Put() : nullptr,
                          &excep, &argError);
}

inline HRESULT PutByDispid(IDispatch* object, DISPID member, const VARIANT& value, WORD flags = DISPATCH_PROPERTYPUT) {
    win32::ExcepInfo excep;
    return InvokeById(object, member, flags, &value, 1, nullptr, excep);
}

inline HRESULT GetByDispid(IDispatch* object, DISPID member, win32::Variant& value) {
    win32::ExcepInfo excep;
    return InvokeById(object, member, DISPATCH_PROPERTYGET, nullptr, 0, &value, excep);
}

class LateBound {
public:
    explicit LateBound(win32::ComPtr<IDispatch> object) : object_(std::move(object)) {}

    // Throws VbError when the call fails.
    win32::Variant Invoke(const wchar_t* name, WORD flags, std::initializer_list<Arg> args) const {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) throw win32::ErrorFromCall(hr, nullptr, object_.Get());
        std::vector<VARIANT> values;
        for (const Arg& arg : args) values.push_back(arg.Get());
        win32::Variant result;
        win32::ExcepInfo excep;
        hr = InvokeById(object_.Get(), id, flags, values.data(), values.size(), &result, excep);
        if (FAILED(hr)) throw win32::ErrorFromCall(hr, &excep, object_.Get());
        return result;
    }

    win32::Variant Get(const wchar_t* name) const { return Invoke(name, DISPATCH_PROPERTYGET, {}); }
    void Put(const wchar_t* name, const Arg& value) const { Invoke(name, DISPATCH_PROPERTYPUT, {value}); }
    win32::Variant Call(const wchar_t* name, std::initializer_list<Arg> args = {}) const {
        return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
    }

    double Number(const wchar_t* name) const { return AsNumber(Get(name)); }
    double CallNumber(const wchar_t* name, std::initializer_list<Arg> args) const { return AsNumber(Call(name, args)); }
    std::wstring Text(const wchar_t* name) const {
        win32::Variant value = Get(name);
        if (FAILED(value.ChangeType(VT_BSTR))) throw vb_errors::TypeMismatch();
        return std::wstring(win32::Bstr::ViewOf(V_BSTR(value.Get())));
    }
    HDC Hdc() const { return reinterpret_cast<HDC>(static_cast<INT_PTR>(Number(L"hDC"))); }
    IDispatch* Object() const { return object_.Get(); }

    // The VB error number a call raises, 0 when it succeeds.
    template <class Call>
    static int32_t ErrorNumberOf(Call&& call) {
        try {
            call();
            return 0;
        } catch (const VbError& error) {
            return error.number();
        }
    }

private:
    static double AsNumber(win32::Variant value) {
        if (FAILED(value.ChangeType(VT_R8))) throw vb_errors::TypeMismatch();
        return V_R8(value.Get());
    }

    win32::ComPtr<IDispatch> object_;
};

}  // namespace quillant::testing
