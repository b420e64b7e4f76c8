#pragma once
// The DISPIDs of an interface's member names as its type library gave them,
// kept for the life of the process. A host that binds late asks for every
// name on every call it makes, or at least once per piece of work (a barcode
// component: once per Encode); the type library walks its interfaces each
// time, this answers from a table.
//
// Names compare as automation compares them: without regard to case. Only
// names of ASCII letters, digits and underscores are kept (every member
// name of ours); any other is left to the type library, whose comparison
// follows the locale.

#include <oaidl.h>

#include <array>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace quillant::win32 {

class MemberNames {
public:
    // True, with the DISPID in id, when name was looked up before.
    bool Find(const wchar_t* name, DISPID& id) const;
    // Remembers what the type library answered for name.
    void Remember(const wchar_t* name, DISPID id);

private:
    // Longer names are not member names of ours; they are left to the type library.
    static constexpr size_t kLongestName = 32;
    using Folded = std::array<wchar_t, kLongestName>;
    // The name in upper case, empty when it is too long, not ASCII (or null).
    static std::wstring_view Fold(const wchar_t* name, Folded& buffer);

    mutable std::mutex mutex_;
    std::map<std::wstring, DISPID, std::less<>> ids_;
};

}  // namespace quillant::win32
