#include "win32/interface_members.h"

#include <algorithm>

#include "win32/bstr.h"
#include "win32/type_descriptions.h"

namespace quillant::win32 {

std::wstring_view InterfaceMembers::Fold(const wchar_t* name, Folded& buffer) {
    if (!name) return {};
    size_t length = 0;
    for (; name[length] != L'\0'; ++length) {
        if (length == buffer.size()) return {};
        const wchar_t c = name[length];
        if (c > 0x7F) return {};
        buffer[length] = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - (L'a' - L'A')) : c;
    }
    return std::wstring_view(buffer.data(), length);
}

// The descriptions are walked in order, as automation finds the member it
// calls. An index from GetFuncIndexOfMemId does not serve: under Wine it
// names another member in GetFuncDesc on a dual interface that inherits
// members.
InterfaceMembers::InterfaceMembers(TypeInfoLookup lookup, REFIID iid) {
    status_ = lookup(iid, info_.Put());
    if (FAILED(status_)) {
        info_.Reset();
        return;
    }
    for (UINT index = 0;; ++index) {
        FuncDesc desc;
        if (FAILED(GetFuncDesc(info_.Get(), index, desc))) break;
        Function function{desc->memid, desc->invkind, {}};
        for (SHORT i = 0; i < desc->cParams; ++i) function.types.push_back(desc->lprgelemdescParam[i].tdesc.vt);
        functions_.push_back(std::move(function));
        Bstr name;
        UINT count = 0;
        if (FAILED(info_->GetNames(desc->memid, name.Put(), 1, &count)) || count != 1) continue;
        Folded buffer;
        const std::wstring_view folded = Fold(name.Get(), buffer);
        if (!folded.empty()) names_.emplace_back(std::wstring(folded), desc->memid);
    }
    // A property's get and put share a name and a DISPID; the first
    // description of a name stands, as in automation's search.
    std::stable_sort(names_.begin(), names_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    names_.erase(std::unique(names_.begin(), names_.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                 names_.end());
}

bool InterfaceMembers::Find(const wchar_t* name, DISPID& id) const {
    Folded buffer;
    const std::wstring_view folded = Fold(name, buffer);
    if (folded.empty()) return false;
    const auto found = std::lower_bound(names_.begin(), names_.end(), folded,
                                        [](const auto& entry, std::wstring_view key) { return entry.first < key; });
    if (found == names_.end() || found->first != folded) return false;
    id = found->second;
    return true;
}

const std::vector<VARTYPE>& InterfaceMembers::ParameterTypes(DISPID member, WORD flags) const {
    // INVOKEKIND and DISPATCH_ flags share their bits.
    for (const Function& function : functions_) {
        if (function.member == member && (flags & function.kinds)) return function.types;
    }
    return NoParameters();
}

const std::vector<VARTYPE>& InterfaceMembers::NoParameters() {
    static const std::vector<VARTYPE> none;
    return none;
}

}  // namespace quillant::win32
