#pragma once
// Plans the fewest Code 128 symbol characters for any text of U+0000..U+00FF,
// the encoder behind full Code 128 and GS1-128 (the seed planner in
// code_set_planner.h stays as Quillant1 draws it).
//
// Code set A carries U+0000..U+005F, code set B U+0020..U+007F, code set C
// two digits per symbol; U+0080..U+00FF is FNC4 followed by the character less
// 128 in A or B, one FNC4 per character (never the double-FNC4 latch, which
// many readers ignore). Shift (98) carries one character in the other of A and
// B; after an FNC4 the Shift comes between FNC4 and the character.
//
// The plan is found by dynamic programming over position x code set, so no
// plan with fewer symbols exists. Among plans of equal length the choice is
// fixed: the start is code set B, else C, else A (the first of these that
// reaches the minimum); at each character the planner stays in its code set
// (data, a digit pair or FNC1), else uses Shift, else switches to B, C or A in
// that order.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillant {

enum class DataMode : uint8_t {
    Text,  // every character is data
    Gs1,   // FNC1 follows the start; kGs1Separator in the data stands for FNC1
};

// GS1 data strings write the FNC1 separator as GS, which no AI's data may contain.
constexpr char16_t kGs1Separator = u'\x1D';

// The most values a plan of a text of n UTF-16 units can take: start, FNC1,
// three per character (a switch or FNC4 and Shift, then the character).
constexpr size_t MaxPlannedValues(size_t units) { return 3 * units + 2; }

// Writes the plan at out, which has room for MaxPlannedValues(data.size()),
// and returns how many values it wrote: start, FNC1 in GS1 mode, then data,
// FNC4, Shift and switch characters; no check character. Error 5 names the
// first character above U+00FF.
size_t PlanShortest(std::u16string_view data, DataMode mode, uint8_t* out);

}  // namespace quillant
