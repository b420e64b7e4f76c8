#pragma once
// Calls an object by member name through IDispatch, the way the renderer and
// script hosts reach the stand-ins: GetIDsOfNames, then Invoke with the
// arguments as VARIANTs. A failed call comes back as a VbError with the
// object's own number and description.

#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/variant.h"
#include "win32/vb_com_error.h"

namespace quillant::forms::testing {

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
    Arg(const std::wstring& text) : Arg(text.c_str()) {}
    Arg(IDispatch* object) {
        V_VT(v_.Get()) = VT_DISPATCH;
        V_DISPATCH(v_.Get()) = win32::ComPtr<IDispatch>(object).Detach();
    }
    Arg(const Arg& other) { VariantCopy(v_.Get(), const_cast<VARIANT*>(other.v_.Get())); }
    const VARIANT& Get() const { return *v_.Get(); }

private:
    win32::Variant v_;
};

class LateBound {
public:
    explicit LateBound(win32::ComPtr<IDispatch> object) : object_(std::move(object)) {}

    // Throws VbError when the call fails.
    win32::Variant Invoke(const wchar_t* name, WORD flags, std::initializer_list<Arg> args) const {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) throw win32::ErrorFromCall(hr, nullptr, object_.Get());
        // Invoke takes the arguments last to first.
        std::vector<VARIANT> reversed;
        for (auto it = std::rbegin(args); it != std::rend(args); ++it) reversed.push_back(it->Get());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (flags & DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &named;
            params.cNamedArgs = 1;
        }
        win32::Variant result;
        win32::ExcepInfo excep;
        UINT argError = 0;
        hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Put(), &excep, &argError);
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

}  // namespace quillant::forms::testing
