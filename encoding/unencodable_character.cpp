#include "encoding/unencodable_character.h"

#include <cstdint>
#include <cstdio>

namespace quillant {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

VbError UnencodableCharacter(std::u16string_view text, size_t pos) {
    // Name the whole code point when a surrogate pair starts here, so the
    // message matches what the user typed; positions count UTF-16 units as
    // Visual Basic's Mid does.
    uint32_t codePoint = text[pos];
    if (IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1])) {
        codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[pos + 1] - 0xDC00);
    }
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "Character U+%04X at position %zu cannot be encoded in Code 128",
                  static_cast<unsigned>(codePoint), pos + 1);
    return VbError(vb_errors::kInvalidCall, buffer);
}

}  // namespace quillant
