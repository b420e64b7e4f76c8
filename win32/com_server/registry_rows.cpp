#include "win32/com_server/registry_rows.h"

#include <objbase.h>

namespace quillant::win32::com_server {
namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";
// The marshalers automation registers interfaces with.
constexpr wchar_t kTypeLibraryMarshaler[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kDispatchMarshaler[] = L"{00020420-0000-0000-C000-000000000046}";

std::wstring Hex(unsigned long value) {
    wchar_t text[16];
    wsprintfW(text, L"%lx", value);
    return text;
}

const wchar_t* PlatformName(Platform platform) { return platform == Platform::Win64 ? L"win64" : L"win32"; }

}  // namespace

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

const wchar_t* ThreadingModelName(ThreadingModel model) {
    switch (model) {
        case ThreadingModel::Both: return L"Both";
        case ThreadingModel::Free: return L"Free";
        case ThreadingModel::Neutral: return L"Neutral";
        case ThreadingModel::Apartment: break;
    }
    return L"Apartment";
}

const wchar_t* MarshalerOf(const AutomationInterface& automation) {
    return automation.dispatchOnly ? kDispatchMarshaler : kTypeLibraryMarshaler;
}

std::wstring TypeLibraryPath(const std::wstring& modulePath, unsigned resource) {
    return resource == 1 ? modulePath : modulePath + L"\\" + std::to_wstring(resource);
}

RegistrationLayout LayoutOf(const ClassTable& table, const TypeLibraryFacts& library, const std::wstring& modulePath,
                            Platform platform, Scope scope) {
    RegistrationLayout layout;
    layout.root = scope == Scope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    auto row = [&](const std::wstring& key, const wchar_t* name, const std::wstring& data) {
        layout.rows.push_back({kClasses + key, name, data});
    };

    const std::wstring libid = GuidText(library.libid);
    const std::wstring libraryVersion =
        std::to_wstring(library.majorVersion) + L"." + std::to_wstring(library.minorVersion);
    // Under TypeLib the version is written in hexadecimal.
    const std::wstring libraryKey = L"TypeLib\\" + libid + L"\\" + Hex(library.majorVersion) + L"." +
                                    Hex(library.minorVersion);
    const std::wstring widthsKey = libraryKey + L"\\" + Hex(library.lcid);
    const std::wstring widthKey = widthsKey + L"\\" + PlatformName(platform);

    for (const ClassEntry& entry : table) {
        const std::wstring clsid = GuidText(*entry.clsid);
        const std::wstring classKey = L"CLSID\\" + clsid;
        row(classKey, L"", entry.name);
        row(classKey + L"\\InprocServer32", L"", modulePath);
        row(classKey + L"\\InprocServer32", L"ThreadingModel", ThreadingModelName(entry.threadingModel));
        row(classKey + L"\\ProgID", L"", entry.progId);
        if (entry.versionIndependentProgId) {
            row(classKey + L"\\VersionIndependentProgID", L"", entry.versionIndependentProgId);
        }
        if (entry.programmable) row(classKey + L"\\Programmable", L"", L"");
        row(classKey + L"\\TypeLib", L"", libid);
        row(classKey + L"\\Version", L"", libraryVersion);
        layout.ownKeys.push_back(kClasses + classKey);

        if (entry.versionIndependentProgId) {
            const std::wstring independent = entry.versionIndependentProgId;
            row(independent, L"", entry.name);
            row(independent + L"\\CLSID", L"", clsid);
            row(independent + L"\\CurVer", L"", entry.progId);
            layout.sharedKeys.push_back(kClasses + independent);
        }
        row(entry.progId, L"", entry.name);
        row(std::wstring(entry.progId) + L"\\CLSID", L"", clsid);
        layout.sharedKeys.push_back(kClasses + std::wstring(entry.progId));
    }

    for (const AutomationInterface& automation : library.interfaces) {
        const std::wstring interfaceKey = L"Interface\\" + GuidText(automation.iid);
        const wchar_t* marshaler = MarshalerOf(automation);
        row(interfaceKey, L"", automation.name);
        row(interfaceKey + L"\\ProxyStubClsid", L"", marshaler);
        row(interfaceKey + L"\\ProxyStubClsid32", L"", marshaler);
        row(interfaceKey + L"\\TypeLib", L"", libid);
        row(interfaceKey + L"\\TypeLib", L"Version", Hex(library.majorVersion) + L"." + Hex(library.minorVersion));
        layout.sharedKeys.push_back(kClasses + interfaceKey);
    }

    const std::wstring folder = modulePath.substr(0, modulePath.find_last_of(L'\\'));
    row(libraryKey, L"", library.title);
    row(libraryKey + L"\\FLAGS", L"", std::to_wstring(library.flags));
    row(libraryKey + L"\\HELPDIR", L"", folder);
    row(widthKey, L"", TypeLibraryPath(modulePath, table.typeLibrary.resource));
    layout.ownKeys.push_back(kClasses + widthKey);
    layout.widthsKey = kClasses + widthsKey;
    layout.sharedKeys.push_back(kClasses + libraryKey);
    return layout;
}

}  // namespace quillant::win32::com_server
