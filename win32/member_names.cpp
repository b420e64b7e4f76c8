#include "win32/member_names.h"

namespace quillant::win32 {

std::wstring_view MemberNames::Fold(const wchar_t* name, Folded& buffer) {
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

bool MemberNames::Find(const wchar_t* name, DISPID& id) const {
    Folded buffer;
    const std::wstring_view folded = Fold(name, buffer);
    if (folded.empty()) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = ids_.find(folded);
    if (found == ids_.end()) return false;
    id = found->second;
    return true;
}

void MemberNames::Remember(const wchar_t* name, DISPID id) {
    Folded buffer;
    const std::wstring_view folded = Fold(name, buffer);
    if (folded.empty()) return;
    std::lock_guard<std::mutex> lock(mutex_);
    ids_.emplace(folded, id);
}

}  // namespace quillant::win32
