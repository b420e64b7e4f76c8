#pragma once
// Text whose every character is one of U+0000 to U+00FF: the characters
// whose widths and glyphs the canvas keeps, 256 to a font.

#include <string_view>

namespace quillant::forms {

inline bool IsLatin1(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c > 0xFF) return false;
    }
    return true;
}

}  // namespace quillant::forms
