// The published contract of Quillant.dll as compiled hosts see it: the type
// library embedded as resource TYPELIB 1 and the version resource. Every
// fact here is one a host binds to; none may change.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Quillant_h.h"
#include "component/dispids.h"
#include "quillant_version.h"
#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "tests/support/in_proc_server.h"
#include "win32/type_descriptions.h"

namespace quillant::testing {
namespace {

using win32::Bstr;
using win32::ComPtr;

constexpr GUID kLibraryGuid = {0x85D8C750, 0xE949, 0x4B89, {0x96, 0x35, 0x4D, 0xED, 0x35, 0x18, 0xC5, 0x9F}};
constexpr GUID kOrientationsGuid = {0x52A60750, 0x6A4F, 0x4240, {0x82, 0x91, 0xDA, 0x95, 0x80, 0x51, 0x04, 0x3F}};
constexpr GUID kSymbologiesGuid = {0xBFC076EA, 0x5ADA, 0x4EB7, {0xB3, 0x6E, 0x0B, 0x94, 0x96, 0x71, 0xDF, 0x76}};
constexpr GUID kLabelOrientationsGuid = {0x38E21F0D, 0x9146, 0x402A, {0x9C, 0x3A, 0x45, 0x94, 0x0F, 0xFF, 0x1E, 0x03}};
constexpr GUID kCaptionPositionsGuid = {0x77EBEC01, 0x69E9, 0x43EC, {0x9D, 0x2A, 0x7C, 0x9D, 0xCE, 0x41, 0x43, 0x74}};
constexpr GUID kStdOle2Guid = {0x00020430, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

// The members of _Quillant1 in function-table order. type is the value's
// automation type; Orientations travels as VT_USERDEFINED.
struct Member {
    const wchar_t* name;
    INVOKEKIND kind;
    MEMBERID dispid;
    VARTYPE type;
    USHORT putFlags;  // flags of a put's parameter
    const wchar_t* help;
};

constexpr USHORT kIn = PARAMFLAG_FIN;
constexpr USHORT kInOut = PARAMFLAG_FIN | PARAMFLAG_FOUT;
constexpr auto kPut = INVOKE_PROPERTYPUT;
constexpr auto kPutRef = INVOKE_PROPERTYPUTREF;
constexpr auto kGet = INVOKE_PROPERTYGET;
constexpr auto kMethod = INVOKE_FUNC;

constexpr wchar_t kVisibleHelp[] = L"Sets wether the encode string will be printed below the barcode";
constexpr wchar_t kIndentedHelp[] =
    L"Sets wether the printed text will be indented into the barcode (only when VisibleCode is set to TRUE)";
constexpr wchar_t kXHelp[] = L"X Position inside the object where the barcode will be placed";
constexpr wchar_t kYHelp[] = L"Y Position inside the object where the barcode will be placed";
constexpr wchar_t kHeightHelp[] = L"Sets the Height of the Barcode";
constexpr wchar_t kWidthHelp[] =
    L"Sets the Width of the individual Barcode Elements (should be about 2% of height of barcode)";
constexpr wchar_t kDeviceHelp[] = L"Sets the object onto which the Barcode will be put";
constexpr wchar_t kStringHelp[] = L"The String to be encoded, can contain any characters or numbers";

const Member kMembers[] = {
    {L"Orientation", kPut, DISPID_QUILLANT_ORIENTATION, VT_USERDEFINED, kIn, nullptr},
    {L"Orientation", kGet, DISPID_QUILLANT_ORIENTATION, VT_USERDEFINED, 0, nullptr},
    {L"VisibleCode", kPut, DISPID_QUILLANT_VISIBLECODE, VT_BOOL, kIn, kVisibleHelp},
    {L"VisibleCode", kGet, DISPID_QUILLANT_VISIBLECODE, VT_BOOL, 0, kVisibleHelp},
    {L"IndentedCode", kPut, DISPID_QUILLANT_INDENTEDCODE, VT_BOOL, kIn, kIndentedHelp},
    {L"IndentedCode", kGet, DISPID_QUILLANT_INDENTEDCODE, VT_BOOL, 0, kIndentedHelp},
    {L"GetBarWidth", kMethod, DISPID_QUILLANT_GETBARWIDTH, VT_I2, 0,
     L"Retrieves the total width of barcode (Element Width and Encode String must be set first)"},
    {L"Encode", kMethod, DISPID_QUILLANT_ENCODE, VT_BSTR, 0, L"Carries Out the Actual Printing of the Barcode"},
    {L"XPosition", kPut, DISPID_QUILLANT_XPOSITION, VT_I4, kInOut, kXHelp},
    {L"XPosition", kGet, DISPID_QUILLANT_XPOSITION, VT_I4, 0, kXHelp},
    {L"YPosition", kPut, DISPID_QUILLANT_YPOSITION, VT_I4, kInOut, kYHelp},
    {L"YPosition", kGet, DISPID_QUILLANT_YPOSITION, VT_I4, 0, kYHelp},
    {L"BarHeight", kPut, DISPID_QUILLANT_BARHEIGHT, VT_I2, kIn, kHeightHelp},
    {L"BarHeight", kGet, DISPID_QUILLANT_BARHEIGHT, VT_I2, 0, kHeightHelp},
    {L"ElementWidth", kPut, DISPID_QUILLANT_ELEMENTWIDTH, VT_I2, kIn, kWidthHelp},
    {L"ElementWidth", kGet, DISPID_QUILLANT_ELEMENTWIDTH, VT_I2, 0, kWidthHelp},
    {L"DeviceObject", kPutRef, DISPID_QUILLANT_DEVICEOBJECT, VT_DISPATCH, kIn, kDeviceHelp},
    {L"DeviceObject", kGet, DISPID_QUILLANT_DEVICEOBJECT, VT_DISPATCH, 0, kDeviceHelp},
    {L"EncodeString", kPut, DISPID_QUILLANT_ENCODESTRING, VT_BSTR, kIn, kStringHelp},
    {L"EncodeString", kGet, DISPID_QUILLANT_ENCODESTRING, VT_BSTR, 0, kStringHelp},
};
constexpr UINT kInheritedFunctions = 7;  // IUnknown's three, IDispatch's four

struct Enumerator {
    const wchar_t* name;
    LONG value;
    const wchar_t* help;
};
const Enumerator kOrientations[] = {
    {L"bcHorizontal", 1, L"bcHorizontal"},
    {L"bcVertical", 2, L"bcVertical"},
};

std::wstring NameOf(ITypeInfo* info, MEMBERID member = MEMBERID_NIL) {
    Bstr name;
    EXPECT_HRESULT_SUCCEEDED(info->GetDocumentation(member, name.Put(), nullptr, nullptr, nullptr));
    return std::wstring(name.View());
}

// Null when there is no help string.
const wchar_t* HelpOf(ITypeInfo* info, MEMBERID member, Bstr& storage) {
    EXPECT_HRESULT_SUCCEEDED(info->GetDocumentation(member, nullptr, storage.Put(), nullptr, nullptr));
    return storage.Get();
}

void ExpectHelp(const wchar_t* expected, const wchar_t* actual, const std::wstring& where) {
    if (!expected) {
        EXPECT_TRUE(actual == nullptr || *actual == L'\0') << where << " has help " << actual;
    } else {
        EXPECT_STREQ(actual, expected) << where;
    }
}

class TypeLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(LoadTypeLibEx(BesideProgram(L"Quillant.dll").c_str(), REGKIND_NONE, library_.Put()));
    }

    ComPtr<ITypeInfo> TypeAt(UINT index) {
        ComPtr<ITypeInfo> info;
        EXPECT_HRESULT_SUCCEEDED(library_->GetTypeInfo(index, info.Put()));
        return info;
    }

    ComPtr<ITypeInfo> VtablePartOf(ITypeInfo* dispatch) {
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> vtable;
        EXPECT_HRESULT_SUCCEEDED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference));
        EXPECT_HRESULT_SUCCEEDED(dispatch->GetRefTypeInfo(reference, vtable.Put()));
        return vtable;
    }

    ComPtr<ITypeLib> library_;
};

TEST_F(TypeLibraryTest, LibraryAttributes) {
    win32::LibAttr attr;
    ASSERT_HRESULT_SUCCEEDED(win32::GetLibAttr(library_.Get(), attr));
    EXPECT_EQ(attr->guid, kLibraryGuid);
    EXPECT_EQ(attr->wMajorVerNum, 131);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->lcid, 0x0409u);
    EXPECT_EQ(attr->syskind, kSysKind);
    // The loader marks every library it read from a file; nothing else is set.
    EXPECT_EQ(attr->wLibFlags & ~LIBFLAG_FHASDISKIMAGE, 0);

    Bstr name, help, helpFile;
    DWORD helpContext = 1;
    ASSERT_HRESULT_SUCCEEDED(library_->GetDocumentation(-1, name.Put(), help.Put(), &helpContext, helpFile.Put()));
    EXPECT_EQ(name.View(), L"Quillant");
    EXPECT_FALSE(help.View().empty());
    EXPECT_EQ(help.View().find(L'\n'), std::wstring_view::npos) << "a one-line description";
    EXPECT_TRUE(helpFile.View().empty());
    EXPECT_EQ(helpContext, 0u);
}

TEST_F(TypeLibraryTest, TypesInPublishedOrder) {
    struct Expected {
        const wchar_t* name;
        TYPEKIND kind;
        GUID guid;
        WORD flags;
    };
    const Expected types[] = {
        {L"_Quillant1", TKIND_DISPATCH, IID__Quillant1,
         TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE},
        {L"Quillant1", TKIND_COCLASS, CLSID_Quillant1, TYPEFLAG_FCANCREATE},
        {L"Orientations", TKIND_ENUM, kOrientationsGuid, 0},
        // Quillant2's types come after the published three.
        {L"_Quillant2", TKIND_DISPATCH, IID__Quillant2,
         TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE},
        {L"Quillant2", TKIND_COCLASS, CLSID_Quillant2, TYPEFLAG_FCANCREATE},
        {L"Symbologies", TKIND_ENUM, kSymbologiesGuid, 0},
        {L"LabelOrientations", TKIND_ENUM, kLabelOrientationsGuid, 0},
        {L"CaptionPositions", TKIND_ENUM, kCaptionPositionsGuid, 0},
    };
    ASSERT_EQ(library_->GetTypeInfoCount(), std::size(types));
    for (UINT i = 0; i < std::size(types); ++i) {
        const Expected& expected = types[i];
        ComPtr<ITypeInfo> info = TypeAt(i);
        win32::TypeAttr attr;
        ASSERT_HRESULT_SUCCEEDED(win32::GetTypeAttr(info.Get(), attr));
        EXPECT_EQ(NameOf(info.Get()), expected.name);
        EXPECT_EQ(attr->typekind, expected.kind) << expected.name;
        EXPECT_EQ(attr->guid, expected.guid) << expected.name;
        EXPECT_EQ(attr->wTypeFlags, expected.flags) << expected.name;
        EXPECT_EQ(attr->wMajorVerNum, 1) << expected.name;
        EXPECT_EQ(attr->wMinorVerNum, 0) << expected.name;
        Bstr help;
        ExpectHelp(nullptr, HelpOf(info.Get(), MEMBERID_NIL, help), expected.name);
    }
}

TEST_F(TypeLibraryTest, InterfaceIsDualOverStdOle2Dispatch) {
    ComPtr<ITypeInfo> dispatch = TypeAt(0);
    win32::TypeAttr dispatchAttr;
    ASSERT_HRESULT_SUCCEEDED(win32::GetTypeAttr(dispatch.Get(), dispatchAttr));
    EXPECT_EQ(dispatchAttr->cFuncs, kInheritedFunctions + std::size(kMembers));
    EXPECT_EQ(dispatchAttr->cVars, 0);

    ComPtr<ITypeInfo> vtable = VtablePartOf(dispatch.Get());
    win32::TypeAttr attr;
    ASSERT_HRESULT_SUCCEEDED(win32::GetTypeAttr(vtable.Get(), attr));
    EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
    EXPECT_EQ(attr->guid, IID__Quillant1);
    EXPECT_EQ(attr->wTypeFlags, TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                                    TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(attr->cFuncs, std::size(kMembers));
    EXPECT_EQ(attr->cbSizeVft, (kInheritedFunctions + std::size(kMembers)) * sizeof(void*));
    ASSERT_EQ(attr->cImplTypes, 1);

    HREFTYPE base = 0;
    ComPtr<ITypeInfo> baseInfo;
    ASSERT_HRESULT_SUCCEEDED(vtable->GetRefTypeOfImplType(0, &base));
    ASSERT_HRESULT_SUCCEEDED(vtable->GetRefTypeInfo(base, baseInfo.Put()));
    EXPECT_EQ(NameOf(baseInfo.Get()), L"IDispatch");
    ComPtr<ITypeLib> baseLibrary;
    UINT index = 0;
    ASSERT_HRESULT_SUCCEEDED(baseInfo->GetContainingTypeLib(baseLibrary.Put(), &index));
    win32::LibAttr baseLibraryAttr;
    ASSERT_HRESULT_SUCCEEDED(win32::GetLibAttr(baseLibrary.Get(), baseLibraryAttr));
    EXPECT_EQ(baseLibraryAttr->guid, kStdOle2Guid);
}

// The vtable view: every member returns HRESULT, stdcall, in table order,
// the value in its one parameter.
TEST_F(TypeLibraryTest, MembersInFunctionTableOrder) {
    ComPtr<ITypeInfo> vtable = VtablePartOf(TypeAt(0).Get());
    for (UINT i = 0; i < std::size(kMembers); ++i) {
        const Member& member = kMembers[i];
        const std::wstring where = std::wstring(member.name) + L" #" + std::to_wstring(i);
        win32::FuncDesc desc;
        ASSERT_HRESULT_SUCCEEDED(win32::GetFuncDesc(vtable.Get(), i, desc));
        EXPECT_EQ(desc->memid, member.dispid) << where;
        EXPECT_EQ(desc->invkind, member.kind) << where;
        EXPECT_EQ(desc->funckind, FUNC_PUREVIRTUAL) << where;
        EXPECT_EQ(desc->callconv, CC_STDCALL) << where;
        EXPECT_EQ(desc->oVft, static_cast<SHORT>((kInheritedFunctions + i) * sizeof(void*))) << where;
        EXPECT_EQ(desc->elemdescFunc.tdesc.vt, VT_HRESULT) << where;
        EXPECT_EQ(desc->wFuncFlags, 0) << where;
        EXPECT_EQ(desc->cParamsOpt, 0) << where;
        ASSERT_EQ(desc->cParams, 1) << where;

        const ELEMDESC& param = desc->lprgelemdescParam[0];
        const bool put = member.kind == kPut || member.kind == kPutRef;
        const bool byPointer = !put || member.putFlags == kInOut;
        const TYPEDESC& value = byPointer ? *param.tdesc.lptdesc : param.tdesc;
        if (byPointer) {
            EXPECT_EQ(param.tdesc.vt, VT_PTR) << where;
        }
        EXPECT_EQ(value.vt, member.type) << where;
        EXPECT_EQ(param.paramdesc.wParamFlags, put ? member.putFlags : PARAMFLAG_FOUT | PARAMFLAG_FRETVAL) << where;
        if (value.vt == VT_USERDEFINED) {
            ComPtr<ITypeInfo> referenced;
            ASSERT_HRESULT_SUCCEEDED(vtable->GetRefTypeInfo(value.hreftype, referenced.Put()));
            EXPECT_EQ(NameOf(referenced.Get()), L"Orientations") << where;
        }
    }
}

// What late-bound hosts see: names, DISPIDs, invoke kinds and help strings
// through the dispatch view, parameters without names.
TEST_F(TypeLibraryTest, DispatchViewNamesDispidsAndHelp) {
    ComPtr<ITypeInfo> dispatch = TypeAt(0);
    for (UINT i = 0; i < std::size(kMembers); ++i) {
        const Member& member = kMembers[i];
        const std::wstring where = std::wstring(member.name) + L" #" + std::to_wstring(i);
        win32::FuncDesc desc;
        ASSERT_HRESULT_SUCCEEDED(win32::GetFuncDesc(dispatch.Get(), kInheritedFunctions + i, desc));
        EXPECT_EQ(desc->memid, member.dispid) << where;
        EXPECT_EQ(desc->invkind, member.kind) << where;

        BSTR names[4] = {};
        UINT count = 0;
        ASSERT_HRESULT_SUCCEEDED(dispatch->GetNames(desc->memid, names, 4, &count));
        std::vector<Bstr> owned;
        for (UINT n = 0; n < count; ++n) owned.push_back(Bstr::Attach(names[n]));
        ASSERT_EQ(count, 1u) << where << ": parameters carry no names";
        EXPECT_EQ(owned[0].View(), member.name) << where;

        Bstr help;
        ExpectHelp(member.help, HelpOf(dispatch.Get(), member.dispid, help), where);

        MEMBERID id = 0;
        LPOLESTR name = const_cast<LPOLESTR>(member.name);
        ASSERT_HRESULT_SUCCEEDED(dispatch->GetIDsOfNames(&name, 1, &id)) << where;
        EXPECT_EQ(id, member.dispid) << where;
    }
}

// Hosts switch from Quillant1 to Quillant2 without touching their code: every
// member of _Quillant1 is in _Quillant2 at the same place, with the same
// DISPID, kind and help.
TEST_F(TypeLibraryTest, Quillant2BeginsWithEveryMemberOfQuillant1) {
    ComPtr<ITypeInfo> second = TypeAt(3);
    for (UINT i = 0; i < std::size(kMembers); ++i) {
        const Member& member = kMembers[i];
        win32::FuncDesc desc;
        ASSERT_HRESULT_SUCCEEDED(win32::GetFuncDesc(second.Get(), kInheritedFunctions + i, desc));
        EXPECT_EQ(desc->memid, member.dispid) << member.name;
        EXPECT_EQ(desc->invkind, member.kind) << member.name;
        Bstr help;
        ExpectHelp(member.help, HelpOf(second.Get(), member.dispid, help), member.name);
    }
    win32::TypeAttr attr;
    ASSERT_HRESULT_SUCCEEDED(win32::GetTypeAttr(second.Get(), attr));
    EXPECT_EQ(attr->cFuncs, kInheritedFunctions + std::size(kMembers) + 31) << "and thirty-one of its own";
    // Members added later are appended, after those compiled hosts bound to.
    const struct {
        MEMBERID dispid;
        INVOKEKIND kind;
    } appended[] = {{DISPID_QUILLANT_GS1MISSING, INVOKE_PROPERTYGET},  {DISPID_QUILLANT_CHECKGS1LABEL, INVOKE_FUNC},
                    {DISPID_QUILLANT_FORECOLOR, INVOKE_PROPERTYPUT},   {DISPID_QUILLANT_FORECOLOR, INVOKE_PROPERTYGET},
                    {DISPID_QUILLANT_BACKCOLOR, INVOKE_PROPERTYPUT},   {DISPID_QUILLANT_BACKCOLOR, INVOKE_PROPERTYGET},
                    {DISPID_QUILLANT_PICTURE, INVOKE_PROPERTYGET},     {DISPID_QUILLANT_IMAGEBYTES, INVOKE_FUNC},
                    {DISPID_QUILLANT_SAVEIMAGE, INVOKE_FUNC},          {DISPID_QUILLANT_COPYTOCLIPBOARD, INVOKE_FUNC},
                    {DISPID_QUILLANT_CAPTIONFONT, INVOKE_PROPERTYGET}, {DISPID_QUILLANT_CAPTIONFONT, INVOKE_PROPERTYPUTREF},
                    {DISPID_QUILLANT_CAPTIONFONT, INVOKE_PROPERTYPUT}, {DISPID_QUILLANT_CAPTIONPOSITION, INVOKE_PROPERTYPUT},
                    {DISPID_QUILLANT_CAPTIONPOSITION, INVOKE_PROPERTYGET}, {DISPID_QUILLANT_CAPTIONGAP, INVOKE_PROPERTYPUT},
                    {DISPID_QUILLANT_CAPTIONGAP, INVOKE_PROPERTYGET},
                    {DISPID_QUILLANT_LABELCOMMANDS, INVOKE_FUNC},      {DISPID_QUILLANT_PRINTCOMMANDS, INVOKE_FUNC}};
    for (UINT i = 0; i < std::size(appended); ++i) {
        win32::FuncDesc desc;
        ASSERT_HRESULT_SUCCEEDED(win32::GetFuncDesc(second.Get(), attr->cFuncs - static_cast<UINT>(std::size(appended)) + i, desc));
        EXPECT_EQ(desc->memid, appended[i].dispid);
        EXPECT_EQ(desc->invkind, appended[i].kind);
    }
}

TEST_F(TypeLibraryTest, ClassCreatableWithOneDefaultInterface) {
    ComPtr<ITypeInfo> coclass = TypeAt(1);
    win32::TypeAttr attr;
    ASSERT_HRESULT_SUCCEEDED(win32::GetTypeAttr(coclass.Get(), attr));
    EXPECT_EQ(attr->cFuncs, 0);
    EXPECT_EQ(attr->cVars, 0);
    ASSERT_EQ(attr->cImplTypes, 1) << "one interface, no source";
    INT flags = -1;
    HREFTYPE reference = 0;
    ComPtr<ITypeInfo> implemented;
    ASSERT_HRESULT_SUCCEEDED(coclass->GetImplTypeFlags(0, &flags));
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeOfImplType(0, &reference));
    ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeInfo(reference, implemented.Put()));
    EXPECT_EQ(NameOf(implemented.Get()), L"_Quillant1");
}

TEST_F(TypeLibraryTest, OrientationsValuesAndHelp) {
    ComPtr<ITypeInfo> enumeration = TypeAt(2);
    win32::TypeAttr attr;
    ASSERT_HRESULT_SUCCEEDED(win32::GetTypeAttr(enumeration.Get(), attr));
    ASSERT_EQ(attr->cVars, std::size(kOrientations));
    EXPECT_EQ(attr->cFuncs, 0);
    for (UINT i = 0; i < std::size(kOrientations); ++i) {
        const Enumerator& expected = kOrientations[i];
        win32::VarDesc desc;
        ASSERT_HRESULT_SUCCEEDED(win32::GetVarDesc(enumeration.Get(), i, desc));
        EXPECT_EQ(desc->varkind, VAR_CONST) << expected.name;
        ASSERT_NE(desc->lpvarValue, nullptr) << expected.name;
        EXPECT_EQ(V_VT(desc->lpvarValue), VT_I4) << expected.name;
        EXPECT_EQ(V_I4(desc->lpvarValue), expected.value) << expected.name;
        EXPECT_EQ(NameOf(enumeration.Get(), desc->memid), expected.name);
        Bstr help;
        ExpectHelp(expected.help, HelpOf(enumeration.Get(), desc->memid, help), expected.name);
    }
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length)) return L"<missing>";
    return length ? std::wstring(static_cast<const wchar_t*>(value)) : std::wstring();
}

TEST(VersionResource, SelfRegisteringWithTheProjectVersion) {
    const std::wstring path = BesideProgram(L"Quillant.dll");
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    constexpr DWORD kMost = QUILLANT_VERSION_MAJOR << 16 | QUILLANT_VERSION_MINOR;
    constexpr DWORD kLeast = QUILLANT_VERSION_PATCH << 16 | QUILLANT_VERSION_REVISION;
    EXPECT_EQ(fixed->dwFileVersionMS, kMost);
    EXPECT_EQ(fixed->dwFileVersionLS, kLeast);
    EXPECT_EQ(fixed->dwProductVersionMS, kMost);
    EXPECT_EQ(fixed->dwProductVersionLS, kLeast);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);

    // Visual Basic's spelling, "1.00.0132".
    const std::wstring text = L"" QUILLANT_VERSION_TEXT;
    EXPECT_EQ(VersionString(block, L"FileVersion"), text);
    EXPECT_EQ(VersionString(block, L"ProductVersion"), text);
    EXPECT_EQ(VersionString(block, L"OLESelfRegister"), L"");
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"Quillant.dll");
    EXPECT_NE(VersionString(block, L"LegalCopyright").find(L"Apache License 2.0"), std::wstring::npos);
}

}  // namespace
}  // namespace quillant::testing
