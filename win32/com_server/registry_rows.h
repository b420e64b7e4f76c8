#pragma once
// The registry rows of a server's registration, computed from its table and
// the facts of its type library without touching the registry, so that the
// same rows can be written by the server, removed again, or handed to an
// installer.

#include <windows.h>

#include <string>
#include <vector>

#include "win32/com_server/class_rows.h"

namespace quillant::win32::com_server {

// The width of the server's code: on 64-bit Windows both may be registered
// side by side, and they share every key but their class keys and their
// path under the type library.
enum class Platform { Win32, Win64 };
constexpr Platform kThisPlatform = sizeof(void*) == 8 ? Platform::Win64 : Platform::Win32;

// For the whole machine (administrators) or for the current user only.
enum class Scope { Machine, User };

// An interface the type library describes that automation marshals.
struct AutomationInterface {
    GUID iid;
    std::wstring name;
    // A dispinterface without a vtable of its own goes through IDispatch's
    // marshaler; dual and oleautomation interfaces through the type library's.
    bool dispatchOnly;
};

// What registration needs to know of the type library, as RegisterTypeLib
// would read it.
struct TypeLibraryFacts {
    GUID libid;
    WORD majorVersion;
    WORD minorVersion;
    LCID lcid;
    WORD flags;
    // The library's help string, or its name when it has none.
    std::wstring title;
    std::vector<AutomationInterface> interfaces;
};

struct RegistryRow {
    std::wstring key;  // from the root, e.g. Software\Classes\CLSID\{...}
    std::wstring name;  // empty: the key's default value
    std::wstring data;
};

struct RegistrationLayout {
    HKEY root;
    std::vector<RegistryRow> rows;
    // Keys of this width alone: removed with its registration.
    std::vector<std::wstring> ownKeys;
    // Holds one subkey per width registered. The keys both widths share
    // are removed only when this has none left.
    std::wstring widthsKey;
    std::vector<std::wstring> sharedKeys;
};

// The names the registry and side-by-side manifests give these facts.
std::wstring GuidText(REFGUID guid);
const wchar_t* ThreadingModelName(ThreadingModel model);
// The class that marshals the interface: its ProxyStubClsid32.
const wchar_t* MarshalerOf(const AutomationInterface& automation);

// The path LoadTypeLib takes for resource TYPELIB resource of a module: any
// but the first is named by its number after the module's path.
std::wstring TypeLibraryPath(const std::wstring& modulePath, unsigned resource);

RegistrationLayout LayoutOf(const ClassTable& table, const TypeLibraryFacts& library, const std::wstring& modulePath,
                            Platform platform, Scope scope);

}  // namespace quillant::win32::com_server
