#pragma once
// The grader's words: a table of every scan line's parameters and grades, a
// summary per parameter, the symbol's grade, and, against an expected grade,
// the reasons it falls short.

#include <string>
#include <vector>

#include "tools/grading/symbol_grade.h"

namespace quillant::grading {

std::string Report(const SymbolGrade& symbol);

// One sentence per parameter that keeps a line below `expected` ('A'..'D'),
// e.g. "decodability 0.29 (D) on 10 of 10 lines"; empty when the symbol's
// grade reaches it.
std::vector<std::string> Shortfalls(const SymbolGrade& symbol, char expected);

}  // namespace quillant::grading
