#include "forms/server/registration.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "QuillantForms_h.h"
#include "win32/com_ptr.h"
#include "forms/server/registry_key.h"

namespace quillant::forms::server {
namespace {

struct ClassRow {
    const CLSID* clsid;
    const wchar_t* progId;
    const wchar_t* description;
};
const ClassRow kClasses[] = {
    {&CLSID_PictureBox, L"QuillantForms.PictureBox", L"Quillant stand-in picture box"},
    {&CLSID_Printer, L"QuillantForms.Printer", L"Quillant stand-in printer"},
};

// One registry value under HKEY_CLASSES_ROOT; a null name is the key's default value.
struct ValueRow {
    std::wstring key;
    const wchar_t* name;
    std::wstring data;
};

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

std::vector<ValueRow> ValuesOf(const ClassRow& row, const std::wstring& path) {
    const std::wstring clsidKey = L"CLSID\\" + GuidText(*row.clsid);
    return {
        {clsidKey, nullptr, row.description},
        {clsidKey + L"\\InprocServer32", nullptr, path},
        {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsidKey + L"\\ProgID", nullptr, row.progId},
        {clsidKey + L"\\TypeLib", nullptr, GuidText(LIBID_QuillantForms)},
        {clsidKey + L"\\Version", nullptr, L"1.0"},
        {row.progId, nullptr, row.description},
        {std::wstring(row.progId) + L"\\CLSID", nullptr, GuidText(*row.clsid)},
    };
}

HRESULT WriteValue(const ValueRow& value) {
    RegistryKey key;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, value.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, key.Put(), nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExW(key.Get(), value.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data.c_str()),
                                static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t)));
    }
    return HRESULT_FROM_WIN32(status);
}

HRESULT DeleteTree(const std::wstring& key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

}  // namespace

HRESULT RegisterServer(HMODULE module) {
    const std::wstring path = ModulePath(module);
    if (path.empty()) return SELFREG_E_CLASS;
    for (const ClassRow& row : kClasses) {
        for (const ValueRow& value : ValuesOf(row, path)) {
            if (FAILED(WriteValue(value))) {
                UnregisterServer(module);
                return SELFREG_E_CLASS;
            }
        }
    }
    win32::ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put());
    if (SUCCEEDED(hr)) hr = RegisterTypeLib(library.Get(), const_cast<wchar_t*>(path.c_str()), nullptr);
    if (FAILED(hr)) {
        UnregisterServer(module);
        return SELFREG_E_TYPELIB;
    }
    return S_OK;
}

HRESULT UnregisterServer(HMODULE module) {
    HRESULT result = S_OK;
    for (const ClassRow& row : kClasses) {
        if (FAILED(DeleteTree(L"CLSID\\" + GuidText(*row.clsid))) || FAILED(DeleteTree(row.progId))) {
            result = SELFREG_E_CLASS;
        }
    }
    win32::ComPtr<ITypeLib> library;
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(LoadTypeLibEx(ModulePath(module).c_str(), REGKIND_NONE, library.Put())) &&
        SUCCEEDED(library->GetLibAttr(&attributes))) {
        const HRESULT hr = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                                             attributes->lcid, attributes->syskind);
        library->ReleaseTLibAttr(attributes);
        if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && hr != TYPE_E_LIBNOTREGISTERED) result = SELFREG_E_TYPELIB;
    }
    return result;
}

}  // namespace quillant::forms::server
