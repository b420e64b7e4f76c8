#include "forms/member_names.h"

#include <cwctype>

namespace quillant::forms {

std::wstring_view MemberNames::Fold(const wchar_t* name, Folded& buffer) {
    if (!name) return {};
    size_t length = 0;
    for (; name[length] != L'\0'; ++length) {
        if (length == buffer.size()) return {};
        buffer[length] = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(name[length])));
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

}  // namespace quillant::forms
