#pragma once
// The complete Code 128 symbol of a text, whichever planner made it: start,
// data, the modulo-103 check character and the 13-module stop pattern. One
// writer, one check sum and one length limit for every encoding.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "encoding/encoding_kind.h"

namespace quillant {

// Start through check character. Error 5 names the first character the
// encoding cannot carry.
std::vector<int> SymbolValues(std::u16string_view text, Encoding encoding);

// 11 modules per symbol value, then the stop; "1" dark, "0" light.
std::string ModulePattern(std::u16string_view text, Encoding encoding);

// Both of the above from one plan, for callers that want both.
struct EncodedSymbol {
    std::vector<int> values;
    std::string modules;
};
EncodedSymbol EncodeSymbol(std::u16string_view text, Encoding encoding);

// For callers that gather many module strings: WritePattern writes the
// module string at out, which has room for MaxPatternLength(text.size(),
// encoding) characters, and returns its end.
size_t MaxPatternLength(size_t units, Encoding encoding);
char* WritePattern(std::u16string_view text, Encoding encoding, char* out);

// Length of ModulePattern without building it; error 6 beyond the 32-bit range.
int32_t ModuleCount(std::u16string_view text, Encoding encoding);

// What GetBarWidth reports: modules times elementWidth as a 16-bit integer,
// error 6 "Overflow" when it does not fit.
int16_t BarWidth(std::u16string_view text, Encoding encoding, int16_t elementWidth);

}  // namespace quillant
