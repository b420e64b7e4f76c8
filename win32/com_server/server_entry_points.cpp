#include "win32/com_server/server_entry_points.h"

#include "win32/com_server/registry_writer.h"
#include "win32/com_server/server_lifetime.h"
#include "win32/com_server/type_library_facts.h"
#include "win32/this_module.h"

namespace quillant::win32::com_server {
namespace {

// The rows this module's registration writes, read from the module.
HRESULT ThisModuleLayout(const ServerTable& table, Scope scope, RegistrationLayout& out) {
    const std::wstring path = ModulePath(ThisModule());
    if (path.empty()) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    TypeLibraryFacts library;
    const HRESULT hr = ReadTypeLibraryFacts(path, table.classes->typeLibrary, library);
    if (FAILED(hr)) return hr;
    out = LayoutOf(*table.classes, library, path, kThisPlatform, scope);
    return S_OK;
}

}  // namespace

HRESULT CanUnloadNow(const ServerTable& table) noexcept {
    return ServerIsIdle() && !(table.stillInUse && table.stillInUse()) ? S_OK : S_FALSE;
}

HRESULT RegisterServer(const ServerTable& table, Scope scope) noexcept {
    try {
        RegistrationLayout layout;
        const HRESULT hr = ThisModuleLayout(table, scope, layout);
        return FAILED(hr) ? hr : WriteRegistration(layout);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterServer(const ServerTable& table, Scope scope) noexcept {
    try {
        RegistrationLayout layout;
        const HRESULT hr = ThisModuleLayout(table, scope, layout);
        return FAILED(hr) ? hr : RemoveRegistration(layout);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT Install(const ServerTable& table, BOOL install, LPCWSTR commandLine) noexcept {
    Scope scope = Scope::Machine;
    if (commandLine && *commandLine) {
        if (lstrcmpiW(commandLine, L"user") == 0) {
            scope = Scope::User;
        } else if (lstrcmpiW(commandLine, L"machine") != 0) {
            return E_INVALIDARG;
        }
    }
    return install ? RegisterServer(table, scope) : UnregisterServer(table, scope);
}

}  // namespace quillant::win32::com_server
