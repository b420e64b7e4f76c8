#pragma once
// File names as the stand-ins meet them: chosen by extension, and quoted in
// error descriptions.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillant::forms {

// The path as error descriptions quote it; characters beyond ASCII show as '?'.
inline std::string NameForMessage(std::wstring_view path) {
    std::string out;
    for (wchar_t c : path) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

template <class Format>
struct ExtensionRow {
    const wchar_t* extension;
    Format format;
};

// The format whose extension ends the path, compared case-insensitively.
template <class Format, size_t N>
std::optional<Format> FormatByExtension(const std::wstring& path, const ExtensionRow<Format> (&rows)[N]) {
    const size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring::npos) return std::nullopt;
    const std::wstring extension = path.substr(dot);
    for (const auto& row : rows) {
        if (lstrcmpiW(extension.c_str(), row.extension) == 0) return row.format;
    }
    return std::nullopt;
}

}  // namespace quillant::forms
