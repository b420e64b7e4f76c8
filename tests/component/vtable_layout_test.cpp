// The type libraries of Quillant.dll and QuillantForms.dll against the
// function tables this width's compiler lays out. A host that binds early
// (Visual Basic 6) calls the slot at FUNCDESC.oVft, and ITypeInfo::Invoke
// (every script host) does the same: a library written with the other
// width's pointer size sends every call to the wrong slot. The expected
// offsets come from i686 and x86-64 mingw compiling widl's headers
// (tools/vtable_layout.py), never from a library.
//
// Each width reads its own libraries: Wine's oleaut32 rescales the offsets
// of a library of the other width to the reading process's pointer size, so
// a 64-bit reader sees a right 32-bit library and one with 8-byte slots
// alike (both read 56 for the first member of _Quillant1).

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "compiled_vtable_layout.h"
#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/text_conversion.h"
#include "win32/type_descriptions.h"
#include "tests/support/in_proc_server.h"

namespace quillant::testing {
namespace {

using win32::Bstr;
using win32::ComPtr;

// A type library keeps one spelling of each name, whichever came first
// (a parameter's "width" names the Width property too): names match
// whatever their case.
const CompiledVtableSlot* Compiled(int bits, const std::wstring& table, const std::wstring& member) {
    for (const CompiledVtableSlot& slot : kCompiledVtableSlots) {
        if (slot.bits == bits && _wcsicmp(table.c_str(), slot.table) == 0 && _wcsicmp(member.c_str(), slot.member) == 0)
            return &slot;
    }
    return nullptr;
}

// widl names a property's slots get_X, put_X and putref_X.
std::wstring SlotName(const FUNCDESC& desc, const std::wstring& member) {
    switch (desc.invkind) {
    case INVOKE_PROPERTYGET: return L"get_" + member;
    case INVOKE_PROPERTYPUT: return L"put_" + member;
    case INVOKE_PROPERTYPUTREF: return L"putref_" + member;
    default: return member;
    }
}

std::wstring NameOf(ITypeInfo* info, MEMBERID member = MEMBERID_NIL) {
    Bstr name;
    EXPECT_HRESULT_SUCCEEDED(info->GetDocumentation(member, name.Put(), nullptr, nullptr, nullptr));
    return std::wstring(name.View());
}

BOOL CALLBACK NoteTypeLibrary(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<WORD>*>(found)->push_back(LOWORD(name));
    return TRUE;
}

// Every type library a DLL carries, whatever its resource number.
std::vector<ComPtr<ITypeLib>> LibrariesIn(const std::wstring& dll) {
    std::vector<WORD> ids;
    HMODULE module = LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(module, nullptr) << win32::Utf8FromWide(dll) << " (build both presets, win32 and win64)";
    if (!module) return {};
    EnumResourceNamesW(module, L"TYPELIB", NoteTypeLibrary, reinterpret_cast<LONG_PTR>(&ids));
    FreeLibrary(module);
    std::vector<ComPtr<ITypeLib>> libraries;
    for (WORD id : ids) {
        const std::wstring path = dll + L"\\" + std::to_wstring(id);
        ComPtr<ITypeLib> library;
        EXPECT_HRESULT_SUCCEEDED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put())) << win32::Utf8FromWide(path);
        if (library) libraries.push_back(std::move(library));
    }
    EXPECT_FALSE(libraries.empty()) << win32::Utf8FromWide(dll) << " has no type library";
    return libraries;
}

// The interface whose function table a type describes: a dual interface's
// vtable half, or the interface itself; null for anything else.
ComPtr<ITypeInfo> FunctionTableOf(ITypeInfo* info) {
    win32::TypeAttr attr;
    if (FAILED(win32::GetTypeAttr(info, attr))) return {};
    if (attr->typekind == TKIND_INTERFACE) return ComPtr<ITypeInfo>(info);
    if (attr->typekind != TKIND_DISPATCH || !(attr->wTypeFlags & TYPEFLAG_FDUAL)) return {};
    HREFTYPE reference = 0;
    ComPtr<ITypeInfo> vtable;
    EXPECT_HRESULT_SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference));
    EXPECT_HRESULT_SUCCEEDED(info->GetRefTypeInfo(reference, vtable.Put()));
    return vtable;
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = towupper(c);
    return text;
}

TEST(VtableLayout, EveryInterfaceOfBothDllsMatchesTheCompiler) {
    constexpr int bits = sizeof(void*) * 8;
    std::set<std::wstring> checked;  // in upper case
    for (const wchar_t* dll : {L"Quillant.dll", L"QuillantForms.dll"}) {
        for (const ComPtr<ITypeLib>& library : LibrariesIn(BesideProgram(dll))) {
            win32::LibAttr libraryAttr;
            ASSERT_HRESULT_SUCCEEDED(win32::GetLibAttr(library.Get(), libraryAttr));
            EXPECT_EQ(libraryAttr->syskind, bits == 32 ? SYS_WIN32 : SYS_WIN64) << win32::Utf8FromWide(dll);
            for (UINT t = 0; t < library->GetTypeInfoCount(); ++t) {
                ComPtr<ITypeInfo> info;
                ASSERT_HRESULT_SUCCEEDED(library->GetTypeInfo(t, info.Put()));
                ComPtr<ITypeInfo> table = FunctionTableOf(info.Get());
                if (!table) continue;
                const std::wstring name = NameOf(table.Get());
                const std::string where = std::to_string(bits) + "-bit " + win32::Utf8FromWide(dll) + " " +
                                          win32::Utf8FromWide(name);
                const CompiledVtableSlot* size = Compiled(bits, name, L"");
                ASSERT_NE(size, nullptr) << where << ": no such interface in widl's headers";
                win32::TypeAttr attr;
                ASSERT_HRESULT_SUCCEEDED(win32::GetTypeAttr(table.Get(), attr));
                EXPECT_EQ(attr->cbSizeVft, size->offset) << where << ": size of the function table";
                for (UINT f = 0; f < attr->cFuncs; ++f) {
                    win32::FuncDesc desc;
                    ASSERT_HRESULT_SUCCEEDED(win32::GetFuncDesc(table.Get(), f, desc));
                    const std::wstring slot = SlotName(*desc.Get(), NameOf(table.Get(), desc->memid));
                    const CompiledVtableSlot* compiled = Compiled(bits, name, slot);
                    ASSERT_NE(compiled, nullptr) << where << "::" << win32::Utf8FromWide(slot);
                    EXPECT_EQ(static_cast<unsigned>(desc->oVft), compiled->offset)
                        << where << "::" << win32::Utf8FromWide(slot);
                }
                checked.insert(Upper(name));
            }
        }
    }
    // Nothing compiled was passed over: every interface of widl's headers is
    // in one of the libraries.
    for (const CompiledVtableSlot& slot : kCompiledVtableSlots) {
        EXPECT_TRUE(checked.count(Upper(slot.table))) << win32::Utf8FromWide(slot.table) << " is in no library";
    }
}

}  // namespace
}  // namespace quillant::testing
