#pragma once
// What an interface's type information says of its members, read once and
// then read by every thread without a lock. A host that binds late asks for
// a member's DISPID on every call it makes, and every call with an argument
// that is no integer needs its parameters' types (win32/type_info_dispatch.h
// says why); a server's threads all ask about the same few interfaces, and
// a process-wide lock around those answers made them queue for each other.
//
// Names compare as automation compares them: without regard to case. Only
// names of ASCII letters, digits and underscores are answered here (every
// member name of ours); any other is left to the type information, whose
// comparison follows the locale.

#include <oaidl.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win32/com_ptr.h"

namespace quillant::win32 {

// How the interface's ITypeInfo is found.
using TypeInfoLookup = HRESULT (*)(REFIID iid, ITypeInfo** out);

class InterfaceMembers {
public:
    // Everything is read here; a lookup that fails leaves the members
    // unknown, with its HRESULT as the status.
    InterfaceMembers(TypeInfoLookup lookup, REFIID iid);

    // S_OK, or why the type information could not be had.
    HRESULT Status() const { return status_; }
    // Borrowed: held for as long as this object lives.
    ITypeInfo* Info() const { return info_.Get(); }

    // True, with the DISPID in id, for a member's name.
    bool Find(const wchar_t* name, DISPID& id) const;
    // The types of the parameters of the member a call with these flags
    // reaches (empty when it takes none or there is none).
    const std::vector<VARTYPE>& ParameterTypes(DISPID member, WORD flags) const;
    static const std::vector<VARTYPE>& NoParameters();

private:
    struct Function {
        DISPID member;
        INVOKEKIND kinds;
        std::vector<VARTYPE> types;
    };
    // Longer names are not member names of ours; they are left to the type information.
    static constexpr size_t kLongestName = 32;
    using Folded = std::array<wchar_t, kLongestName>;
    // The name in upper case, empty when it is too long, not ASCII (or null).
    static std::wstring_view Fold(const wchar_t* name, Folded& buffer);

    HRESULT status_ = E_UNEXPECTED;
    ComPtr<ITypeInfo> info_;
    // In the type information's order, the order automation searches.
    std::vector<Function> functions_;
    // Folded names, sorted.
    std::vector<std::pair<std::wstring, DISPID>> names_;
};

}  // namespace quillant::win32
