#include "adapters/dispatch_caller.h"

#include <dispex.h>

#include <algorithm>
#include <new>
#include <utility>

#include "win32/bstr.h"
#include "win32/vb_com_error.h"
#include "encoding/vb_error.h"

namespace quillant::render::win32 {

using quillant::win32::Bstr;
using quillant::win32::ComPtr;
using quillant::win32::ErrorFromCall;
using quillant::win32::ExcepInfo;
using quillant::win32::Variant;

DispatchCaller::DispatchCaller(IDispatch* object, std::shared_ptr<KnownMembers> known)
    : object_(object), known_(std::move(known)) {
    if (!object_) throw vb_errors::ObjectNotSet();
    ids_.fill(kUnresolved);
}

// An object that answers DISPID_UNKNOWN itself is simply asked again.
DISPID DispatchCaller::Resolve(Member member) {
    DISPID& slot = ids_[static_cast<size_t>(member)];
    if (slot != kUnresolved) return slot;
    if (known_) {
        slot = known_->Of(member);
        if (slot != kUnresolved) return slot;
    }

    const wchar_t* const name = kMemberNames[static_cast<size_t>(member)];
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
    slot = id;
    if (known_) known_->Remember(member, id);
    return id;
}

Variant DispatchCaller::Invoke(Member member, WORD flags, DISPPARAMS& params) {
    const DISPID id = Resolve(member);
    Variant result;
    ExcepInfo excep;
    UINT argError = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                       (flags & DISPATCH_PROPERTYPUT) ? nullptr : result.Put(), &excep, &argError);
    if (FAILED(hr)) throw ErrorFromCall(hr, &excep, object_.Get());
    return result;
}

Variant DispatchCaller::Get(Member member) {
    DISPPARAMS params{};
    return Invoke(member, DISPATCH_PROPERTYGET, params);
}

void DispatchCaller::Put(Member member, const VARIANT& value) {
    VARIANT arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    Invoke(member, DISPATCH_PROPERTYPUT, params);
}

Variant DispatchCaller::Call(Member member, std::initializer_list<VARIANT> args) {
    // IDispatch takes arguments last to first.
    std::array<VARIANT, kMaxArguments> reversed;
    if (args.size() > reversed.size()) throw vb_errors::InvalidCall();
    std::reverse_copy(args.begin(), args.end(), reversed.begin());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return Invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, params);
}

namespace {

// Objects mostly answer in the member's own type already; only other types
// go through automation's conversion. An answer that is no such value at all
// (Nothing, an array, text that is no number) is a type mismatch, as for a
// Visual Basic program reading it.
void Convert(Variant& value, VARTYPE type) {
    if (V_VT(value.Get()) == type) return;
    const HRESULT hr = value.ChangeType(type);
    if (hr == DISP_E_OVERFLOW) throw vb_errors::Overflow();
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    if (FAILED(hr)) throw vb_errors::TypeMismatch();
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
