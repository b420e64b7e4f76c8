#include "win32/type_info_dispatch.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "win32/property_argument.h"
#include "win32/this_module.h"
#include "win32/type_descriptions.h"
#include "win32/variant.h"

namespace quillant::win32 {
namespace {

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return memcmp(&a, &b, sizeof(GUID)) < 0; }
};

BOOL CALLBACK NoteTypeLibId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<WORD>*>(ids)->push_back(LOWORD(name));
    return TRUE;
}

// The type library in resource TYPELIB id of this module. Registration
// writes the module's path however long it is, so a DLL installed deep in a
// folder tree must load from there too: oleaut32 takes no path of MAX_PATH
// characters or more, and such a path is handed over in its short form.
HRESULT LoadModuleTypeLib(WORD id, ITypeLib** out) {
    std::wstring path = ModulePath(ThisModule());
    if (path.empty()) return TYPE_E_CANTLOADLIBRARY;
    if (path.size() + 8 >= MAX_PATH) {
        std::wstring shortPath(path.size() + 1, L'\0');
        const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
        if (length == 0 || length >= shortPath.size()) return TYPE_E_CANTLOADLIBRARY;
        shortPath.resize(length);
        path = std::move(shortPath);
    }
    if (id != 1) path += L"\\" + std::to_wstring(id);
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, out);
}

// The parameter an argument stands for: a put's value is the last one,
// other named arguments are named by position, and the positional ones
// come last to first.
size_t ParameterOf(const DISPPARAMS& params, UINT argument, size_t parameters) {
    if (argument >= params.cNamedArgs) return params.cArgs - 1 - argument;
    const DISPID name = params.rgdispidNamedArgs[argument];
    if (name == DISPID_PROPERTYPUT) return parameters - 1;
    return name >= 0 ? static_cast<size_t>(name) : parameters;
}

// Whether an argument is already an integer or Boolean (or missing), which
// automation passes to an integer parameter exactly or refuses itself.
bool IsIntegerAlready(const VARIANT& argument) {
    const VARIANT* value = &argument;
    if (V_VT(value) == (VT_BYREF | VT_VARIANT)) value = V_VARIANTREF(value);
    switch (V_VT(value) & ~VT_BYREF) {
        case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4: case VT_INT: case VT_UINT:
        case VT_BOOL: case VT_ERROR: case VT_EMPTY:
            return true;
        default:
            return false;
    }
}

// Automation turns a value into a Long or Integer parameter itself and lets
// NaN through as -1; such arguments are converted in place as Visual Basic
// converts them instead. Arguments for other types are left to automation.
HRESULT IntegerArgument(VARTYPE type, LCID lcid, Variant& argument) {
    if (type != VT_I2 && type != VT_I4 && type != VT_INT) return S_OK;
    int32_t value = 0;
    int16_t shortValue = 0;
    const HRESULT hr = type == VT_I2 ? ArgumentToShort(*argument.Get(), lcid, shortValue)
                                     : ArgumentToLong(*argument.Get(), lcid, value);
    if (FAILED(hr)) return hr;
    VARIANT* slot = argument.Put();
    if (type == VT_I2) {
        V_VT(slot) = VT_I2;
        V_I2(slot) = shortValue;
    } else {
        V_VT(slot) = VT_I4;
        V_I4(slot) = value;
    }
    return S_OK;
}

}  // namespace

HRESULT ModuleTypeInfo(REFIID iid, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    static std::mutex mutex;
    static std::vector<ComPtr<ITypeLib>> libraries;
    static std::map<GUID, ComPtr<ITypeInfo>, GuidLess> infos;
    std::lock_guard<std::mutex> lock(mutex);
    if (libraries.empty()) {
        std::vector<WORD> ids;
        EnumResourceNamesW(ThisModule(), L"TYPELIB", NoteTypeLibId, reinterpret_cast<LONG_PTR>(&ids));
        for (WORD id : ids) {
            ComPtr<ITypeLib> library;
            if (SUCCEEDED(LoadModuleTypeLib(id, library.Put()))) libraries.push_back(library);
        }
        if (libraries.empty()) return TYPE_E_CANTLOADLIBRARY;
    }
    auto found = infos.find(iid);
    if (found == infos.end()) {
        // Interface identifiers are unique across libraries, so whichever of
        // the module's libraries holds it, that is the one.
        HRESULT hr = TYPE_E_ELEMENTNOTFOUND;
        for (const ComPtr<ITypeLib>& library : libraries) {
            ComPtr<ITypeInfo> info;
            hr = library->GetTypeInfoOfGuid(iid, info.Put());
            if (SUCCEEDED(hr)) {
                found = infos.emplace(iid, info).first;
                break;
            }
        }
        if (found == infos.end()) return hr;
    }
    *out = ComPtr<ITypeInfo>(found->second).Detach();
    return S_OK;
}

HRESULT InvokeThroughTypeInfo(const InterfaceMembers& members, void* object, DISPID member, LCID lcid, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argError) {
    // oleaut32 trusts the caller's DISPPARAMS and dies on a null pointer in
    // them; a careless caller gets an error here instead.
    if (!params || (params->cArgs && !params->rgvarg) || (params->cNamedArgs && !params->rgdispidNamedArgs)) {
        return E_INVALIDARG;
    }
    if (params->cNamedArgs > params->cArgs) return DISP_E_BADPARAMCOUNT;
    bool byRef = false, converting = false;
    for (UINT i = 0; i < params->cArgs; ++i) {
        if (!IsReadable(params->rgvarg[i])) {
            if (argError) *argError = i;
            return DISP_E_TYPEMISMATCH;
        }
        byRef = byRef || (V_VT(&params->rgvarg[i]) & VT_BYREF);
        converting = converting || !IsIntegerAlready(params->rgvarg[i]);
    }
    const std::vector<VARTYPE>& types =
        converting ? members.ParameterTypes(member, flags) : InterfaceMembers::NoParameters();
    ITypeInfo* const typeInfo = members.Info();
    if (!byRef && types.empty()) return typeInfo->Invoke(object, member, flags, params, result, excep, argError);

    std::vector<Variant> copies(params->cArgs);
    std::vector<VARIANT> args(params->cArgs);
    for (UINT i = 0; i < params->cArgs; ++i) {
        HRESULT hr = VariantCopyInd(copies[i].Get(), &params->rgvarg[i]);
        const size_t parameter = ParameterOf(*params, i, types.size());
        if (SUCCEEDED(hr) && parameter < types.size()) hr = IntegerArgument(types[parameter], lcid, copies[i]);
        if (FAILED(hr)) {
            if (argError) *argError = i;
            return hr;
        }
        args[i] = *copies[i].Get();  // shallow: copies keeps ownership
    }
    DISPPARAMS copied = *params;
    copied.rgvarg = args.data();
    return typeInfo->Invoke(object, member, flags, &copied, result, excep, argError);
}

}  // namespace quillant::win32
