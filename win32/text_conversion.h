#pragma once
// Texts are UTF-8 inside the portable layers (error descriptions, the
// renderer's results) and UTF-16 at the COM boundary.

#include <windows.h>

#include <algorithm>
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

// Every Encode answers with a text (mostly "Sucess"): ASCII, as most
// answers are, is widened here, without two calls into the system.
template <typename Wide>
Wide FromUtf8(std::string_view text) {
    static_assert(sizeof(typename Wide::value_type) == sizeof(wchar_t), "UTF-16 on Windows");
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return Wide(text.begin(), text.end());
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    Wide out(static_cast<size_t>(size), 0);
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, reinterpret_cast<wchar_t*>(out.data()), size);
    return out;
}

inline std::wstring WideFromUtf8(std::string_view text) { return FromUtf8<std::wstring>(text); }
inline std::u16string Utf16FromUtf8(std::string_view text) { return FromUtf8<std::u16string>(text); }

}  // namespace quillant::win32
