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
#include "win32/interface_members.h"

namespace quillant::win32 {

// The ITypeInfo of iid from whichever of this module's TYPELIB resources
// holds it; the libraries are loaded once per process and the answers
// cached. A static library that brings its own type library (the stand-in
// drawing objects) finds it this way both in its own server, where it is
// TYPELIB 1, and embedded in another server under another number.
HRESULT ModuleTypeInfo(REFIID iid, ITypeInfo** out);

// Invokes through the interface's type information on object. VBScript
// passes every argument by reference (VT_BYREF | VT_VARIANT), even to
// property puts, which oleaut32 then refuses for [in] parameters of other
// types; the arguments are dereferenced into copies first. An argument for
// a Long or Integer parameter that is no integer already is converted as
// Visual Basic converts it (win32/property_argument.h): NaN, infinities and
// numbers beyond the type overflow (DISP_E_OVERFLOW). DISPPARAMS with null
// pointers where there should be arguments are refused (E_INVALIDARG), and
// so is a by-reference argument that points nowhere (DISP_E_TYPEMISMATCH).
HRESULT InvokeThroughTypeInfo(const InterfaceMembers& members, void* object, DISPID member, LCID lcid, WORD flags,
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
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (count && (!names || !ids)) return E_INVALIDARG;
        const InterfaceMembers& members = Members();
        if (count == 1 && members.Find(names[0], ids[0])) return S_OK;
        ComPtr<ITypeInfo> info;
        const HRESULT hr = Lookup(__uuidof(Interface), info.Put());
        if (FAILED(hr)) return hr;
        return info->GetIDsOfNames(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argError) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        auto* object = static_cast<Interface*>(this);
        const InterfaceMembers& members = Members();
        if (SUCCEEDED(members.Status())) {
            return InvokeThroughTypeInfo(members, object, member, lcid, flags, params, result, excep, argError);
        }
        const InterfaceMembers again(Lookup, __uuidof(Interface));
        if (FAILED(again.Status())) return again.Status();
        return InvokeThroughTypeInfo(again, object, member, lcid, flags, params, result, excep, argError);
    }

protected:
    TypeInfoDispatch() = default;
    virtual ~TypeInfoDispatch() = default;

private:
    // Read at the first call and kept for the module's life. Should the
    // type library not load then, every call reads it again (Invoke) or
    // asks the type information itself (GetIDsOfNames).
    static const InterfaceMembers& Members() {
        static const InterfaceMembers members(Lookup, __uuidof(Interface));
        return members;
    }
};

}  // namespace quillant::win32
