#pragma once
// Fonts compared as GDI reads their descriptions: a face name ends at its
// terminator, and what follows it in the array is whatever the system left
// there (a font made from an ANSI description carries other bytes there on
// every call in the 64-bit Wine).

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <cwchar>

namespace quillant::forms {

inline bool SameLogFont(const LOGFONTW& a, const LOGFONTW& b) {
    return std::memcmp(&a, &b, offsetof(LOGFONTW, lfFaceName)) == 0 &&
           std::wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

}  // namespace quillant::forms
