// Build-time tool, run under Wine: rewrites the type library that widl made
// from Quillant.idl through ICreateTypeLib2, adding what IDL cannot say.
//
//   quillant-tlb-finisher IN.tlb OUT.tlb --order A,B,C [--member-help Type.Member=text]...
//
// - the types are written in the order given (widl writes a referenced type
//   before the type that refers to it, but the published order is fixed);
// - a member may get a help string (widl refuses helpstring on enum members);
// - parameters carry no names, only the members do.
// Everything else (GUIDs, versions, flags, DISPIDs, help strings, the order
// of the members, references into stdole2) is carried over unchanged.
// Any failure prints the step and the HRESULT and exits non-zero, so the
// build stops there.

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/type_descriptions.h"

namespace {

using quillant::win32::Bstr;
using quillant::win32::ComPtr;
using quillant::win32::FuncDesc;
using quillant::win32::LibAttr;
using quillant::win32::TypeAttr;
using quillant::win32::VarDesc;

struct Failure : std::runtime_error {
    Failure(const std::string& step, HRESULT result) : std::runtime_error(step), hr(result) {}
    HRESULT hr;
};

void Check(HRESULT hr, const std::string& step) {
    if (FAILED(hr)) throw Failure(step, hr);
}

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::wstring::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

struct Options {
    std::wstring input;
    std::wstring output;
    std::vector<std::wstring> order;
    std::map<std::wstring, std::wstring> memberHelp;  // "Type.Member" -> help string
};

Options ParseOptions(int argc, wchar_t** argv) {
    if (argc < 3) throw std::invalid_argument("usage: quillant-tlb-finisher IN.tlb OUT.tlb --order A,B,C "
                                              "[--member-help Type.Member=text]...");
    Options options{argv[1], argv[2], {}, {}};
    for (int i = 3; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (i + 1 >= argc) throw std::invalid_argument("missing value after " + Narrow(option));
        const std::wstring value = argv[++i];
        if (option == L"--order") {
            options.order = Split(value, L',');
        } else if (option == L"--member-help") {
            const size_t equals = value.find(L'=');
            if (equals == std::wstring::npos) throw std::invalid_argument("expected Type.Member=text");
            options.memberHelp[value.substr(0, equals)] = value.substr(equals + 1);
        } else {
            throw std::invalid_argument("unknown option " + Narrow(option));
        }
    }
    if (options.order.empty()) throw std::invalid_argument("--order is required");
    return options;
}

std::wstring NameOf(ITypeInfo* info, MEMBERID member = MEMBERID_NIL) {
    Bstr name;
    Check(info->GetDocumentation(member, name.Put(), nullptr, nullptr, nullptr), "GetDocumentation");
    return std::wstring(name.View());
}

// A type of the source library and the one being written in its place.
struct TypePair {
    ComPtr<ITypeInfo> source;
    ComPtr<ICreateTypeInfo2> target;
};

class Finisher {
public:
    Finisher(ITypeLib* source, ICreateTypeLib2* target, const Options& options)
        : source_(source), target_(target), options_(options) {}

    void Run() {
        CopyLibraryAttributes();
        for (const std::wstring& name : options_.order) CreateType(name);
        if (types_.size() != source_->GetTypeInfoCount())
            throw std::invalid_argument("--order must name every type of the library exactly once");
        for (const std::wstring& name : options_.order) FillType(name, types_.at(name));
        for (const std::wstring& name : options_.order) Check(types_.at(name).target->LayOut(), "LayOut " + Narrow(name));
        for (const auto& [key, text] : options_.memberHelp)
            if (!usedHelp_.count(key)) throw std::invalid_argument("no member " + Narrow(key));
        Check(target_->SaveAllChanges(), "SaveAllChanges");
    }

private:
    void CopyLibraryAttributes() {
        LibAttr attr;
        Check(quillant::win32::GetLibAttr(source_, attr), "GetLibAttr");
        Bstr name, doc, helpFile;
        DWORD helpContext = 0;
        Check(source_->GetDocumentation(-1, name.Put(), doc.Put(), &helpContext, helpFile.Put()), "library docs");
        Check(target_->SetName(name.Get()), "SetName");
        Check(target_->SetGuid(attr->guid), "SetGuid");
        Check(target_->SetLcid(attr->lcid), "SetLcid");
        Check(target_->SetVersion(attr->wMajorVerNum, attr->wMinorVerNum), "SetVersion");
        // The loader adds FHASDISKIMAGE to every library it reads from a file.
        Check(target_->SetLibFlags(attr->wLibFlags & ~LIBFLAG_FHASDISKIMAGE), "SetLibFlags");
        if (doc.Get()) Check(target_->SetDocString(doc.Get()), "SetDocString");
        if (helpFile.Get()) Check(target_->SetHelpFileName(helpFile.Get()), "SetHelpFileName");
        Check(target_->SetHelpContext(helpContext), "SetHelpContext");
    }

    // The part of a type that is written: a dual interface is written as its
    // vtable interface; ICreateTypeInfo makes the dispatch view from it.
    ComPtr<ITypeInfo> WrittenPart(ITypeInfo* info) {
        TypeAttr attr;
        Check(quillant::win32::GetTypeAttr(info, attr), "GetTypeAttr");
        ComPtr<ITypeInfo> part(info);
        if (attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL)) {
            HREFTYPE vtable = 0;
            Check(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable), "dual vtable part");
            Check(info->GetRefTypeInfo(vtable, part.Put()), "dual vtable part");
        }
        return part;
    }

    void CreateType(const std::wstring& name) {
        if (types_.count(name)) throw std::invalid_argument("type named twice: " + Narrow(name));
        for (UINT i = 0; i < source_->GetTypeInfoCount(); ++i) {
            ComPtr<ITypeInfo> info;
            Check(source_->GetTypeInfo(i, info.Put()), "GetTypeInfo");
            if (NameOf(info.Get()) != name) continue;
            TypePair pair{WrittenPart(info.Get()), {}};
            TypeAttr attr;
            Check(quillant::win32::GetTypeAttr(pair.source.Get(), attr), "GetTypeAttr");
            ComPtr<ICreateTypeInfo> created;
            Check(target_->CreateTypeInfo(const_cast<wchar_t*>(name.c_str()), attr->typekind, created.Put()),
                  "CreateTypeInfo " + Narrow(name));
            Check(created.As(pair.target), "ICreateTypeInfo2");
            types_.emplace(name, std::move(pair));
            return;
        }
        throw std::invalid_argument("no type named " + Narrow(name));
    }

    // A reference from a source type: to a type of this library it becomes a
    // reference to the type written in its place, anything else is imported.
    HREFTYPE MapReference(ITypeInfo* from, HREFTYPE reference, ICreateTypeInfo2* into) {
        ComPtr<ITypeInfo> referenced;
        Check(from->GetRefTypeInfo(reference, referenced.Put()), "GetRefTypeInfo");
        ComPtr<ITypeLib> library;
        UINT index = 0;
        Check(referenced->GetContainingTypeLib(library.Put(), &index), "GetContainingTypeLib");
        ComPtr<ITypeInfo> target = referenced;
        if (library.Get() == source_) {
            const auto found = types_.find(NameOf(referenced.Get()));
            if (found == types_.end()) throw std::invalid_argument("reference to an unwritten type");
            Check(found->second.target.As(target), "ITypeInfo of a written type");
        }
        HREFTYPE mapped = 0;
        Check(into->AddRefTypeInfo(target.Get(), &mapped), "AddRefTypeInfo");
        return mapped;
    }

    // Deep copy of a TYPEDESC with its references mapped; storage lives in
    // the arena until the function or variable has been added.
    TYPEDESC MapTypeDesc(const TYPEDESC& desc, ITypeInfo* from, ICreateTypeInfo2* into) {
        TYPEDESC copy = desc;
        switch (desc.vt) {
            case VT_PTR:
            case VT_SAFEARRAY:
                arena_.push_back(std::make_unique<TYPEDESC>(MapTypeDesc(*desc.lptdesc, from, into)));
                copy.lptdesc = arena_.back().get();
                break;
            case VT_USERDEFINED:
                copy.hreftype = MapReference(from, desc.hreftype, into);
                break;
            case VT_CARRAY:
                throw std::invalid_argument("fixed-size arrays are not carried over");
            default:
                break;
        }
        return copy;
    }

    void FillType(const std::wstring& name, TypePair& pair) {
        ITypeInfo* source = pair.source.Get();
        ICreateTypeInfo2* target = pair.target.Get();
        TypeAttr attr;
        Check(quillant::win32::GetTypeAttr(source, attr), "GetTypeAttr");
        Check(target->SetGuid(attr->guid), "SetGuid " + Narrow(name));
        Check(target->SetVersion(attr->wMajorVerNum, attr->wMinorVerNum), "SetVersion " + Narrow(name));
        Bstr doc;
        DWORD helpContext = 0;
        Check(source->GetDocumentation(MEMBERID_NIL, nullptr, doc.Put(), &helpContext, nullptr), "type docs");
        if (doc.Get()) Check(target->SetDocString(doc.Get()), "SetDocString " + Narrow(name));
        Check(target->SetHelpContext(helpContext), "SetHelpContext " + Narrow(name));

        for (UINT i = 0; i < attr->cImplTypes; ++i) {
            HREFTYPE reference = 0;
            INT flags = 0;
            Check(source->GetRefTypeOfImplType(i, &reference), "GetRefTypeOfImplType");
            Check(source->GetImplTypeFlags(i, &flags), "GetImplTypeFlags");
            Check(target->AddImplType(i, MapReference(source, reference, target)), "AddImplType " + Narrow(name));
            // Only a class has flags on what it implements.
            if (attr->typekind == TKIND_COCLASS)
                Check(target->SetImplTypeFlags(i, flags), "SetImplTypeFlags " + Narrow(name));
        }
        for (UINT i = 0; i < attr->cFuncs; ++i) CopyFunction(name, source, target, i);
        for (UINT i = 0; i < attr->cVars; ++i) CopyVariable(name, source, target, i);
        // Flags last: setting FDUAL makes the dispatch view, which needs the
        // IDispatch base in place.
        Check(target->SetTypeFlags(attr->wTypeFlags), "SetTypeFlags " + Narrow(name));
        if (attr->cbAlignment) Check(target->SetAlignment(attr->cbAlignment), "SetAlignment " + Narrow(name));
    }

    void CopyFunction(const std::wstring& typeName, ITypeInfo* source, ICreateTypeInfo2* target, UINT index) {
        FuncDesc desc;
        Check(quillant::win32::GetFuncDesc(source, index, desc), "GetFuncDesc");
        FUNCDESC copy = *desc.Get();
        std::vector<ELEMDESC> params(desc->lprgelemdescParam, desc->lprgelemdescParam + desc->cParams);
        for (ELEMDESC& param : params) param.tdesc = MapTypeDesc(param.tdesc, source, target);
        copy.lprgelemdescParam = params.data();
        copy.elemdescFunc.tdesc = MapTypeDesc(desc->elemdescFunc.tdesc, source, target);
        Check(target->AddFuncDesc(index, &copy), "AddFuncDesc " + Narrow(typeName));
        arena_.clear();

        // Put and get of one property share the DISPID, and with it the name
        // and the help string.
        Bstr name, doc;
        DWORD helpContext = 0;
        Check(source->GetDocumentation(desc->memid, name.Put(), doc.Put(), &helpContext, nullptr), "member docs");
        LPOLESTR names[] = {name.Get()};
        Check(target->SetFuncAndParamNames(index, names, 1), "SetFuncAndParamNames " + Narrow(name.View()));
        const std::wstring help = HelpFor(typeName, std::wstring(name.View()), doc);
        if (!help.empty()) Check(target->SetFuncDocString(index, const_cast<wchar_t*>(help.c_str())), "SetFuncDocString");
        Check(target->SetFuncHelpContext(index, helpContext), "SetFuncHelpContext");
    }

    void CopyVariable(const std::wstring& typeName, ITypeInfo* source, ICreateTypeInfo2* target, UINT index) {
        VarDesc desc;
        Check(quillant::win32::GetVarDesc(source, index, desc), "GetVarDesc");
        VARDESC copy = *desc.Get();
        copy.elemdescVar.tdesc = MapTypeDesc(desc->elemdescVar.tdesc, source, target);
        Check(target->AddVarDesc(index, &copy), "AddVarDesc " + Narrow(typeName));
        arena_.clear();

        Bstr name, doc;
        DWORD helpContext = 0;
        Check(source->GetDocumentation(desc->memid, name.Put(), doc.Put(), &helpContext, nullptr), "member docs");
        Check(target->SetVarName(index, name.Get()), "SetVarName");
        const std::wstring help = HelpFor(typeName, std::wstring(name.View()), doc);
        if (!help.empty()) Check(target->SetVarDocString(index, const_cast<wchar_t*>(help.c_str())), "SetVarDocString");
        Check(target->SetVarHelpContext(index, helpContext), "SetVarHelpContext");
    }

    std::wstring HelpFor(const std::wstring& typeName, const std::wstring& member, const Bstr& fromSource) {
        const std::wstring key = typeName + L"." + member;
        const auto extra = options_.memberHelp.find(key);
        if (extra == options_.memberHelp.end()) return std::wstring(fromSource.View());
        usedHelp_.insert(key);
        return extra->second;
    }

    ITypeLib* source_;
    ICreateTypeLib2* target_;
    const Options& options_;
    std::map<std::wstring, TypePair> types_;
    std::set<std::wstring> usedHelp_;
    std::vector<std::unique_ptr<TYPEDESC>> arena_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        const Options options = ParseOptions(argc, argv);
        ComPtr<ITypeLib> source;
        Check(LoadTypeLibEx(options.input.c_str(), REGKIND_NONE, source.Put()), "LoadTypeLibEx " + Narrow(options.input));
        LibAttr attr;
        Check(quillant::win32::GetLibAttr(source.Get(), attr), "GetLibAttr");
        DeleteFileW(options.output.c_str());
        ComPtr<ICreateTypeLib2> target;
        Check(CreateTypeLib2(attr->syskind, options.output.c_str(), target.Put()), "CreateTypeLib2 " + Narrow(options.output));
        Finisher(source.Get(), target.Get(), options).Run();
        return 0;
    } catch (const Failure& failure) {
        std::fprintf(stderr, "quillant-tlb-finisher: %s failed, HRESULT 0x%08lX\n", failure.what(),
                     static_cast<unsigned long>(failure.hr));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quillant-tlb-finisher: %s\n", error.what());
    }
    return 1;
}
