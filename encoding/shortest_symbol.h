#pragma once
// The complete symbol of the shortest plan (shortest_planner.h): start, data,
// the modulo-103 check character and the stop pattern. For GS1-128, pass the
// data string of a Gs1Message (gs1_element_string.h) with DataMode::Gs1.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "encoding/shortest_planner.h"

namespace quillant {

// Start through check character.
std::vector<int> ShortestSymbolValues(std::u16string_view data, DataMode mode);

// 11 modules per symbol value, then the 13-module stop; "1" dark, "0" light.
std::string ShortestPattern(std::u16string_view data, DataMode mode);

// For callers that gather many module strings: WriteShortestPattern writes
// the module string at out, which has room for
// MaxShortestPatternLength(data.size()) characters, and returns its end.
size_t MaxShortestPatternLength(size_t units);
char* WriteShortestPattern(std::u16string_view data, DataMode mode, char* out);

// Length of ShortestPattern; error 6 beyond the 32-bit range.
int32_t ShortestModuleCount(std::u16string_view data, DataMode mode);

// Modules times elementWidth as a 16-bit integer, error 6 "Overflow" when it
// does not fit, as GetBarWidth reports it.
int16_t ShortestBarWidth(std::u16string_view data, DataMode mode, int16_t elementWidth);

}  // namespace quillant
