#pragma once
// Builds the complete Code 128 symbol for a text: start character, one symbol
// character per planned token, the modulo-103 check character and the stop
// pattern, as a module string of "1" (dark) and "0" (light).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillant {

// The symbol values in drawing order: start, data and switches, check.
// Error 5 names the first character that code set B cannot carry.
std::vector<int> SymbolValues(std::u16string_view text);

// The module string: 11 modules per symbol value, then the 13-module stop.
std::string BuildPattern(std::u16string_view text);

// For callers that gather many module strings: WritePattern writes the
// module string at out, which has room for MaxPatternLength(text.size())
// characters, and returns the end of what it wrote.
size_t MaxPatternLength(size_t units);
char* WritePattern(std::u16string_view text, char* out);

// Length of BuildPattern(text) without building it. Error 6 when it exceeds
// the 32-bit range.
int32_t CountModules(std::u16string_view text);

// What GetBarWidth reports: modules times elementWidth as a 16-bit integer,
// error 6 "Overflow" when it does not fit.
int16_t BarWidth(std::u16string_view text, int16_t elementWidth);

}  // namespace quillant
