#pragma once
// What a row of Code 128 symbol values says: the code sets A, B and C with
// their shifts and switches, FNC4 for Latin-1, FNC1 for GS1-128.

#include <string>
#include <vector>

namespace quillant::grading {

struct SymbolText {
    std::string latin1;  // one byte per character; a later FNC1 is GS (0x1D)
    bool gs1 = false;    // FNC1 right after the start character
};

// `values` as DecodeLine gives them: start, data, check.
SymbolText TextOf(const std::vector<int>& values);

// For a report: "]C1" first for GS1-128, Latin-1 letters in UTF-8, control
// characters and backslashes as \xNN escapes.
std::string Printable(const SymbolText& text);

}  // namespace quillant::grading
