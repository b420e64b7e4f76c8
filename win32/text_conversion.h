#pragma once
// Texts are UTF-8 inside the portable layers (error descriptions, the
// renderer's results) and UTF-16 at the COM boundary.

#include <windows.h>

#include <string>
#include <string_view>

namespace quillant::win32 {

inline std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

inline std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), size);
    return out;
}

inline std::u16string Utf16FromUtf8(std::string_view text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 on Windows");
    const std::wstring wide = WideFromUtf8(text);
    return std::u16string(wide.begin(), wide.end());
}

}  // namespace quillant::win32
