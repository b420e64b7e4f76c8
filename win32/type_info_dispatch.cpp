#include "win32/type_info_dispatch.h"

#include <map>
#include <mutex>
#include <vector>

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

// The type library in resource TYPELIB id of this module.
HRESULT LoadModuleTypeLib(WORD id, ITypeLib** out) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(ThisModule(), path, MAX_PATH);
    if (length == 0 || length + 8 >= MAX_PATH) return TYPE_E_CANTLOADLIBRARY;
    if (id != 1) wsprintfW(path + length, L"\\%u", static_cast<unsigned>(id));
    return LoadTypeLibEx(path, REGKIND_NONE, out);
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

HRESULT InvokeThroughTypeInfo(ITypeInfo* typeInfo, void* object, DISPID member, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* excep, UINT* argError) {
    // oleaut32 trusts the caller's DISPPARAMS and dies on a null pointer in
    // them; a careless caller gets an error here instead.
    if (!params || (params->cArgs && !params->rgvarg) || (params->cNamedArgs && !params->rgdispidNamedArgs)) {
        return E_INVALIDARG;
    }
    if (params->cNamedArgs > params->cArgs) return DISP_E_BADPARAMCOUNT;
    bool byRef = false;
    for (UINT i = 0; i < params->cArgs; ++i) {
        if (!IsReadable(params->rgvarg[i])) {
            if (argError) *argError = i;
            return DISP_E_TYPEMISMATCH;
        }
        byRef = byRef || (V_VT(&params->rgvarg[i]) & VT_BYREF);
    }
    if (!byRef) return typeInfo->Invoke(object, member, flags, params, result, excep, argError);

    std::vector<Variant> copies(params->cArgs);
    std::vector<VARIANT> args(params->cArgs);
    for (UINT i = 0; i < params->cArgs; ++i) {
        const HRESULT hr = VariantCopyInd(copies[i].Get(), &params->rgvarg[i]);
        if (FAILED(hr)) {
            if (argError) *argError = i;
            return hr;
        }
        args[i] = *copies[i].Get();  // shallow: copies keeps ownership
    }
    DISPPARAMS dereferenced = *params;
    dereferenced.rgvarg = args.data();
    return typeInfo->Invoke(object, member, flags, &dereferenced, result, excep, argError);
}

}  // namespace quillant::win32
