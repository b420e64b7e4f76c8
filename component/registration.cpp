#include "component/registration.h"

#include <oleauto.h>

#include <string>
#include <utility>
#include <vector>

#include "Quillant_h.h"
#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/registry_key.h"
#include "win32/type_descriptions.h"

namespace quillant::component {
namespace {

// Every value registration writes, under the scope's Software\Classes. Words
// in angle brackets are filled in from the module and its type library.
struct RegistryValue {
    const wchar_t* key;
    const wchar_t* name;  // null: the key's default value
    const wchar_t* data;
};

constexpr RegistryValue kRegistryValues[] = {
    {L"CLSID\\<CLSID>", nullptr, L"Quillant1"},
    {L"CLSID\\<CLSID>\\InprocServer32", nullptr, L"<MODULE>"},
    {L"CLSID\\<CLSID>\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {L"CLSID\\<CLSID>\\ProgID", nullptr, L"Quillant.Quillant1.1"},
    {L"CLSID\\<CLSID>\\VersionIndependentProgID", nullptr, L"Quillant.Quillant1"},
    {L"CLSID\\<CLSID>\\Programmable", nullptr, L""},
    {L"CLSID\\<CLSID>\\TypeLib", nullptr, L"<LIBID>"},
    {L"CLSID\\<CLSID>\\Version", nullptr, L"<LIBVERSION>"},
    {L"Quillant.Quillant1", nullptr, L"Quillant1"},
    {L"Quillant.Quillant1\\CLSID", nullptr, L"<CLSID>"},
    {L"Quillant.Quillant1\\CurVer", nullptr, L"Quillant.Quillant1.1"},
    {L"Quillant.Quillant1.1", nullptr, L"Quillant1"},
    {L"Quillant.Quillant1.1\\CLSID", nullptr, L"<CLSID>"},
    // Automation marshals the dual interface from the type library.
    {L"Interface\\<IID>", nullptr, L"_Quillant1"},
    {L"Interface\\<IID>\\ProxyStubClsid", nullptr, L"{00020424-0000-0000-C000-000000000046}"},
    {L"Interface\\<IID>\\ProxyStubClsid32", nullptr, L"{00020424-0000-0000-C000-000000000046}"},
    {L"Interface\\<IID>\\TypeLib", nullptr, L"<LIBID>"},
    {L"Interface\\<IID>\\TypeLib", L"Version", L"<LIBKEY>"},
    {L"TypeLib\\<LIBID>\\<LIBKEY>", nullptr, L"<LIBHELP>"},
    {L"TypeLib\\<LIBID>\\<LIBKEY>\\FLAGS", nullptr, L"0"},
    {L"TypeLib\\<LIBID>\\<LIBKEY>\\HELPDIR", nullptr, L"<FOLDER>"},
    {L"TypeLib\\<LIBID>\\<LIBKEY>\\<LCID>\\<PLATFORM>", nullptr, L"<MODULE>"},
};

// The 32-bit and the 64-bit server share the type library, interface and
// ProgID keys on 64-bit Windows (only CLSID is kept apart), so those go
// only with the last platform registered.
constexpr const wchar_t* kOwnKeys[] = {
    L"CLSID\\<CLSID>",
    L"TypeLib\\<LIBID>\\<LIBKEY>\\<LCID>\\<PLATFORM>",
};
constexpr wchar_t kPlatformsKey[] = L"TypeLib\\<LIBID>\\<LIBKEY>\\<LCID>";
constexpr const wchar_t* kSharedKeys[] = {
    L"TypeLib\\<LIBID>\\<LIBKEY>",
    L"Interface\\<IID>",
    L"Quillant.Quillant1",
    L"Quillant.Quillant1.1",
};

constexpr const wchar_t* kPlatform = sizeof(void*) == 8 ? L"win64" : L"win32";

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring Hex(unsigned long value) {
    wchar_t text[16];
    wsprintfW(text, L"%lx", value);
    return text;
}

using Substitutions = std::vector<std::pair<std::wstring, std::wstring>>;

// What the placeholders stand for, read from this module and the type
// library it carries, as RegisterTypeLib would read them.
HRESULT ReadSubstitutions(Substitutions& out) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(ThisModule(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    win32::ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, library.Put());
    if (FAILED(hr)) return hr;
    win32::LibAttr attr;
    hr = win32::GetLibAttr(library.Get(), attr);
    if (FAILED(hr)) return hr;
    win32::Bstr help;
    hr = library->GetDocumentation(-1, nullptr, help.Put(), nullptr, nullptr);
    if (FAILED(hr)) return hr;

    const std::wstring module(path, length);
    out = {
        {L"<CLSID>", GuidText(CLSID_Quillant1)},
        {L"<IID>", GuidText(IID__Quillant1)},
        {L"<LIBID>", GuidText(attr->guid)},
        {L"<LIBVERSION>", std::to_wstring(attr->wMajorVerNum) + L"." + std::to_wstring(attr->wMinorVerNum)},
        {L"<LIBKEY>", Hex(attr->wMajorVerNum) + L"." + Hex(attr->wMinorVerNum)},
        {L"<LCID>", Hex(attr->lcid)},
        {L"<PLATFORM>", kPlatform},
        {L"<LIBHELP>", std::wstring(help.View())},
        {L"<MODULE>", module},
        {L"<FOLDER>", module.substr(0, module.find_last_of(L'\\'))},
    };
    return S_OK;
}

std::wstring Expand(const wchar_t* pattern, const Substitutions& substitutions) {
    std::wstring text = pattern;
    for (const auto& [placeholder, value] : substitutions) {
        for (size_t at; (at = text.find(placeholder)) != std::wstring::npos;) text.replace(at, placeholder.size(), value);
    }
    return text;
}

HKEY RootOf(RegistrationScope scope) {
    return scope == RegistrationScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::wstring ClassesKey(const std::wstring& key) { return L"Software\\Classes\\" + key; }

LSTATUS WriteValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& data) {
    win32::RegistryKey opened;
    LSTATUS status =
        RegCreateKeyExW(root, ClassesKey(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.Put(), nullptr);
    if (status != ERROR_SUCCESS) return status;
    return RegSetValueExW(opened.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

bool Gone(LSTATUS status) { return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND; }

struct KeyContents {
    DWORD subkeys = 0;
    DWORD values = 0;
};

// A key that does not exist holds nothing.
KeyContents ContentsOf(HKEY root, const std::wstring& key) {
    KeyContents contents;
    win32::RegistryKey opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.Put()) == ERROR_SUCCESS) {
        RegQueryInfoKeyW(opened.Get(), nullptr, nullptr, nullptr, &contents.subkeys, nullptr, nullptr,
                         &contents.values, nullptr, nullptr, nullptr, nullptr);
    }
    return contents;
}

// Registration may have had to create the keys above its own (CLSID, even
// Software\Classes in a fresh profile); they go again once empty.
void RemoveEmptyParents(HKEY root, std::wstring key) {
    for (size_t cut; (cut = key.find_last_of(L'\\')) != std::wstring::npos;) {
        key.resize(cut);
        if (key.find(L'\\') == std::wstring::npos) return;  // never the top key, "Software"
        const KeyContents contents = ContentsOf(root, key);
        if (contents.subkeys != 0 || contents.values != 0 || RegDeleteKeyW(root, key.c_str()) != ERROR_SUCCESS) return;
    }
}

HRESULT Unregister(HKEY root, const Substitutions& substitutions) {
    LSTATUS failed = ERROR_SUCCESS;
    auto removeTree = [&](const wchar_t* pattern) {
        const std::wstring key = ClassesKey(Expand(pattern, substitutions));
        const LSTATUS status = RegDeleteTreeW(root, key.c_str());
        if (!Gone(status)) failed = status;
        RemoveEmptyParents(root, key);
    };
    for (const wchar_t* key : kOwnKeys) removeTree(key);
    if (ContentsOf(root, ClassesKey(Expand(kPlatformsKey, substitutions))).subkeys == 0) {
        for (const wchar_t* key : kSharedKeys) removeTree(key);
    }
    return failed == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(failed);
}

}  // namespace

HRESULT RegisterServer(RegistrationScope scope) noexcept {
    try {
        Substitutions substitutions;
        const HRESULT hr = ReadSubstitutions(substitutions);
        if (FAILED(hr)) return hr;
        const HKEY root = RootOf(scope);
        for (const RegistryValue& value : kRegistryValues) {
            const LSTATUS status = WriteValue(root, Expand(value.key, substitutions), value.name,
                                              Expand(value.data, substitutions));
            if (status != ERROR_SUCCESS) {
                // Half a registration is worse than none.
                Unregister(root, substitutions);
                return HRESULT_FROM_WIN32(status);
            }
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterServer(RegistrationScope scope) noexcept {
    try {
        Substitutions substitutions;
        const HRESULT hr = ReadSubstitutions(substitutions);
        if (FAILED(hr)) return hr;
        return Unregister(RootOf(scope), substitutions);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace quillant::component
