#include "win32/com_server/type_library_facts.h"

#include <oleauto.h>
#include <olectl.h>

#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/type_descriptions.h"

namespace quillant::win32::com_server {
namespace {

// The interfaces RegisterTypeLib would register: dispinterfaces (duals
// among them) and interfaces marked oleautomation.
HRESULT ReadAutomationInterfaces(ITypeLib* library, std::vector<AutomationInterface>& out) {
    const UINT count = library->GetTypeInfoCount();
    for (UINT index = 0; index < count; ++index) {
        TYPEKIND kind = TKIND_MAX;
        HRESULT hr = library->GetTypeInfoType(index, &kind);
        if (FAILED(hr)) return hr;
        if (kind != TKIND_INTERFACE && kind != TKIND_DISPATCH) continue;
        ComPtr<ITypeInfo> info;
        hr = library->GetTypeInfo(index, info.Put());
        if (FAILED(hr)) return hr;
        TypeAttr attributes;
        hr = GetTypeAttr(info.Get(), attributes);
        if (FAILED(hr)) return hr;
        if (kind == TKIND_INTERFACE && !(attributes->wTypeFlags & TYPEFLAG_FOLEAUTOMATION)) continue;
        Bstr name;
        hr = library->GetDocumentation(static_cast<INT>(index), name.Put(), nullptr, nullptr, nullptr);
        if (FAILED(hr)) return hr;
        const bool dispatchOnly = kind == TKIND_DISPATCH && !(attributes->wTypeFlags & TYPEFLAG_FDUAL);
        out.push_back({attributes->guid, std::wstring(name.View()), dispatchOnly});
    }
    return S_OK;
}

}  // namespace

HRESULT ReadTypeLibraryFacts(const std::wstring& modulePath, const TypeLibraryEntry& entry, TypeLibraryFacts& out) {
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(TypeLibraryPath(modulePath, entry.resource).c_str(), REGKIND_NONE, library.Put());
    if (FAILED(hr)) return hr;
    LibAttr attributes;
    hr = GetLibAttr(library.Get(), attributes);
    if (FAILED(hr)) return hr;
    if (!IsEqualGUID(attributes->guid, *entry.libid)) return SELFREG_E_TYPELIB;
    Bstr name, help;
    hr = library->GetDocumentation(-1, name.Put(), help.Put(), nullptr, nullptr);
    if (FAILED(hr)) return hr;

    out = {};
    out.libid = attributes->guid;
    out.majorVersion = attributes->wMajorVerNum;
    out.minorVersion = attributes->wMinorVerNum;
    out.lcid = attributes->lcid;
    // Whether the library came from a file is a fact of this loading, not
    // of the library: RegisterTypeLib leaves it out of FLAGS.
    out.flags = attributes->wLibFlags & ~LIBFLAG_FHASDISKIMAGE;
    out.title = std::wstring(help.View().empty() ? name.View() : help.View());
    return ReadAutomationInterfaces(library.Get(), out.interfaces);
}

}  // namespace quillant::win32::com_server
