#pragma once
// A planned Code 128 symbol spelled as a label printer's field data, value
// for value, so that the printer draws the symbol the planner made and not
// one of its own choosing. The printer adds the check character and stop.

#include <string>
#include <vector>

namespace quillant::render {

// ^BC mode N (no automatic code sets): the start code as >9, >: or >;, then
// each value. Code sets A and C take a value as two digits, B as its
// character; everything else is an invocation code: >2 FNC3, >3 FNC2,
// >4 Shift, >5 Code C, >6 Code B (FNC4 in B), >7 Code A (FNC4 in A), >8
// FNC1, and in A and B the values ZPL cannot take as characters: >0 for
// '>', >< for '^', >= for '~', >1 for DEL. values runs from the start
// character to the check character, which is left out.
std::string ZplFieldData(const std::vector<int>& values);

// What EPL's B command takes exactly: a type (1A, 1B or 1C: one code set for
// the whole symbol) and its quoted data. A symbol that changes code sets,
// uses a function character or holds a line break raises error 5.
struct EplField {
    const char* type;
    std::string data;  // without the quotes; '"' and '\' escaped
};
EplField EplFieldData(const std::vector<int>& values);

}  // namespace quillant::render
