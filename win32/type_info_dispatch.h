#pragma once
// IDispatch for a dual interface, answered from the interface's ITypeInfo in
// the type library embedded in this module (resource TYPELIB 1 unless another
// lookup is given).
//
//   class Thing : public TypeInfoDispatch<IThing> { ... };
//
// The implementing class provides the IThing vtable methods and IUnknown;
// this base provides the four IDispatch methods.

#include <oaidl.h>

#include <vector>

#include "win32/com_ptr.h"
#include "win32/member_names.h"

namespace quillant::win32 {

// The ITypeInfo of iid from whichever of this module's TYPELIB resources
// holds it; the libraries are loaded once per process and the answers
// cached. A static library that brings its own type library (the stand-in
// drawing objects) finds it this way both in its own server, where it is
// TYPELIB 1, and embedded in another server under another number.
HRESULT ModuleTypeInfo(REFIID iid, ITypeInfo** out);

// How a TypeInfoDispatch finds its interface's ITypeInfo.
using TypeInfoLookup = HRESULT (*)(REFIID iid, ITypeInfo** out);

// Invokes through typeInfo on object. VBScript passes every argument by
// reference (VT_BYREF | VT_VARIANT), even to property puts, which oleaut32
// then refuses for [in] parameters of other types; the arguments are
// dereferenced into copies first. An argument for a Long or Integer
// parameter that is no integer already is converted as Visual Basic
// converts it (win32/property_argument.h): NaN, infinities and numbers
// beyond the type overflow (DISP_E_OVERFLOW). DISPPARAMS with null pointers
// where there should be arguments are refused (E_INVALIDARG), and so is a
// by-reference argument that points nowhere (DISP_E_TYPEMISMATCH).
HRESULT InvokeThroughTypeInfo(ITypeInfo* typeInfo, void* object, DISPID member, LCID lcid, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argError);

template <class Interface, TypeInfoLookup Lookup = ModuleTypeInfo>
class TypeInfoDispatch : public Interface {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return Lookup(__uuidof(Interface), out);
    }
    // A name is looked up in the type library once per process: oleaut32
    // compares it with every member's name through the locale, and a host
    // that binds late asks on every call.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (count && (!names || !ids)) return E_INVALIDARG;
        static MemberNames known;
        if (count == 1 && known.Find(names[0], ids[0])) return S_OK;
        ComPtr<ITypeInfo> info;
        HRESULT hr = Lookup(__uuidof(Interface), info.Put());
        if (FAILED(hr)) return hr;
        hr = info->GetIDsOfNames(names, count, ids);
        if (hr == S_OK && count == 1) known.Remember(names[0], ids[0]);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argError) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        ComPtr<ITypeInfo> info;
        const HRESULT hr = Lookup(__uuidof(Interface), info.Put());
        if (FAILED(hr)) return hr;
        return InvokeThroughTypeInfo(info.Get(), static_cast<Interface*>(this), member, lcid, flags, params, result,
                                     excep, argError);
    }

protected:
    TypeInfoDispatch() = default;
    virtual ~TypeInfoDispatch() = default;
};

}  // namespace quillant::win32
