#pragma once
// File names as the stand-ins meet them: chosen by extension, refused when
// Windows would not make the file they name, and quoted in error
// descriptions.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "forms/forms_errors.h"

namespace quillant::forms {

// The path as error descriptions quote it; characters beyond printable ASCII
// show as '?' (a NUL would end the description where it stands).
inline std::string NameForMessage(std::wstring_view path) {
    std::string out;
    for (wchar_t c : path) out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return out;
}

// What in the path no Windows file name may hold, or nothing. A path reaches
// Windows as a C string: after a NUL it names another file than the one
// whose extension was checked, and the other characters make the call fail
// or mean something else (':' after the drive letter names a stream).
inline std::optional<std::string> ForbiddenInFileName(std::wstring_view path) {
    constexpr std::wstring_view kForbidden = L"<>\"|?*";
    for (size_t i = 0; i < path.size(); ++i) {
        const wchar_t c = path[i];
        if (c == L'\0') return "a NUL character";
        if (c < 0x20) return "control character " + std::to_string(static_cast<int>(c));
        if (kForbidden.find(c) != std::wstring_view::npos) return std::string("'") + static_cast<char>(c) + "'";
        const wchar_t drive = i == 1 ? (path[0] | 0x20) : 0;  // lower case
        if (c == L':' && !(drive >= L'a' && drive <= L'z')) return "':' other than after a drive letter";
    }
    return std::nullopt;
}

template <class Format>
struct ExtensionRow {
    const wchar_t* extension;
    Format format;
};

// The format whose extension ends the path, compared case-insensitively.
// Raises error 5 for a path Windows would not take as it is and for one with
// another extension; subject names the path in the description, as
// "OutputFile 'page.txt'" or "'page.txt'".
template <class Format, size_t N>
Format FormatOfFileName(const std::wstring& path, const ExtensionRow<Format> (&rows)[N], const std::string& subject) {
    if (const std::optional<std::string> forbidden = ForbiddenInFileName(path)) {
        throw errors::InvalidArgument(subject + " holds " + *forbidden + ", which a file name cannot");
    }
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        const std::wstring extension = path.substr(dot);
        for (const auto& row : rows) {
            if (lstrcmpiW(extension.c_str(), row.extension) == 0) return row.format;
        }
    }
    std::string endings;
    for (size_t i = 0; i < N; ++i) {
        endings += (i == 0 ? "" : i + 1 == N ? " or " : ", ") + NameForMessage(rows[i].extension);
    }
    throw errors::InvalidArgument(subject + " does not end in " + endings);
}

}  // namespace quillant::forms
