#include "win32/com_server/registry_writer.h"

#include <string>

#include "win32/registry_key.h"

namespace quillant::win32::com_server {
namespace {

LSTATUS WriteRow(HKEY root, const RegistryRow& row) {
    RegistryKey key;
    const LSTATUS status =
        RegCreateKeyExW(root, row.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr);
    if (status != ERROR_SUCCESS) return status;
    return RegSetValueExW(key.Get(), row.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(row.data.c_str()),
                          static_cast<DWORD>((row.data.size() + 1) * sizeof(wchar_t)));
}

struct KeyContents {
    DWORD subkeys = 0;
    DWORD values = 0;
};

// A key that does not exist holds nothing.
KeyContents ContentsOf(HKEY root, const std::wstring& path) {
    KeyContents contents;
    RegistryKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS) {
        RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &contents.subkeys, nullptr, nullptr, &contents.values,
                         nullptr, nullptr, nullptr, nullptr);
    }
    return contents;
}

// Registration may have had to create the keys above its own (CLSID, even
// Software\Classes in a fresh profile); they go again once empty.
void RemoveEmptyParents(HKEY root, std::wstring path) {
    for (size_t cut; (cut = path.find_last_of(L'\\')) != std::wstring::npos;) {
        path.resize(cut);
        if (path.find(L'\\') == std::wstring::npos) return;  // never the top key, "Software"
        const KeyContents contents = ContentsOf(root, path);
        if (contents.subkeys != 0 || contents.values != 0 || RegDeleteKeyW(root, path.c_str()) != ERROR_SUCCESS) {
            return;
        }
    }
}

bool Gone(LSTATUS status) { return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND; }

}  // namespace

HRESULT WriteRegistration(const RegistrationLayout& layout) noexcept {
    for (const RegistryRow& row : layout.rows) {
        const LSTATUS status = WriteRow(layout.root, row);
        if (status != ERROR_SUCCESS) {
            // Half a registration is worse than none.
            RemoveRegistration(layout);
            return HRESULT_FROM_WIN32(status);
        }
    }
    return S_OK;
}

HRESULT RemoveRegistration(const RegistrationLayout& layout) noexcept {
    try {
        LSTATUS failed = ERROR_SUCCESS;
        auto removeTree = [&](const std::wstring& path) {
            const LSTATUS status = RegDeleteTreeW(layout.root, path.c_str());
            if (!Gone(status)) failed = status;
            RemoveEmptyParents(layout.root, path);
        };
        for (const std::wstring& path : layout.ownKeys) removeTree(path);
        if (ContentsOf(layout.root, layout.widthsKey).subkeys == 0) {
            for (const std::wstring& path : layout.sharedKeys) removeTree(path);
        }
        return failed == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(failed);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace quillant::win32::com_server
