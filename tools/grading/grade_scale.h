#pragma once
// ISO/IEC 15416's grade scale: a measured value to a grade of 4 (A) .. 0 (F),
// and a mean grade to its letter.

#include <string>

namespace quillant::grading {

enum class Parameter { SymbolContrast, MinimumReflectance, MinimumEdgeContrast, Modulation, Defects, Decode,
                       Decodability, QuietZones };

constexpr int kParameterCount = 8;

// Its name in reports ("symbol contrast") and a short column heading ("SC").
const char* NameOf(Parameter parameter);
const char* HeadingOf(Parameter parameter);

// The grade of a measured value; for the pass/fail parameters the value is
// 1 for pass and 0 for fail.
int GradeOf(Parameter parameter, double value);

// 'A' .. 'F' for a grade of 4 .. 0, or for a mean grade: from 3.5 A, from
// 2.5 B, from 1.5 C, from 0.5 D, below that F.
char LetterOf(double grade);

}  // namespace quillant::grading
