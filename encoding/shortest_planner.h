#pragma once
// Plans the fewest Code 128 symbol characters for any text of U+0000..U+00FF,
// the encoder behind full Code 128 and GS1-128 (the seed planner in
// code_set_planner.h stays as Quillant1 draws it).
//
// Code set A carries U+0000..U+005F, code set B U+0020..U+007F, code set C
// two digits per symbol. U+0080..U+00FF is the character less 128 in A or B
// with extended mode on: a single FNC4 turns it on (or, while latched, off)
// for the next character only; two FNC4 in a row latch it until the next
// pair. The latch lasts through code set C, whose digits it does not touch,
// and the end of the symbol ends it. Shift (98) carries one character in the
// other of A and B; after a single FNC4 the Shift comes between FNC4 and the
// character.
//
// The plan is found by dynamic programming over position x code set x
// latch, so no plan with fewer symbols exists. Among plans of equal length
// the choice is fixed: the start is code set B, else C, else A (the first of
// these that reaches the minimum); at each character the planner stays as it
// is (data, a digit pair or FNC1), else uses Shift, else switches to B, C or
// A in that order, else toggles the latch (then switching to B, C or A).
// Texts without U+0080..U+00FF never latch, so their plans are the ones the
// planner made before it knew the latch.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "encoding/encoding_kind.h"

namespace quillant {

// The most values a plan of a text of n UTF-16 units can take: start, FNC1,
// three per character (a switch or FNC4 and Shift, then the character). The
// latch is used only where it is shorter, so it stays within this.
constexpr size_t MaxPlannedValues(size_t units) { return 3 * units + 2; }

// Writes the plan at out, which has room for MaxPlannedValues(data.size()),
// and returns how many values it wrote: start, FNC1 for Encoding::Gs1, then
// data, FNC4, Shift and switch characters; no check character. Error 5 names
// the first character above U+00FF. encoding is Full, FullWithoutLatch or Gs1.
size_t PlanShortest(std::u16string_view data, Encoding encoding, uint8_t* out);

}  // namespace quillant
