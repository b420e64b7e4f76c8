#pragma once
// Which planner turns a text into symbol values, and what its data means.

#include <cstdint>

namespace quillant {

enum class Encoding : uint8_t {
    Quillant1,         // code_set_planner.h: the symbols Quillant1 has always drawn
    Full,              // shortest_planner.h: any text of U+0000..U+00FF, fewest symbols
    FullWithoutLatch,  // the same among plans that never latch extended mode
    Gs1,               // a Gs1Message's data: FNC1 after the start, kGs1Separator as FNC1
};

// GS1 data strings write the FNC1 separator as GS, which no AI's data may contain.
constexpr char16_t kGs1Separator = u'\x1D';

}  // namespace quillant
