#pragma once
// Grades the one Code 128 symbol of a picture from ten scan lines spread over
// the middle 80 % of its bar height; the symbol's grade is their mean.

#include <optional>
#include <string>
#include <vector>

#include "tools/grading/grey_picture.h"
#include "tools/grading/scan_line_grade.h"
#include "tools/grading/scan_profile.h"

namespace quillant::grading {

constexpr int kScanLines = 10;

struct GradingRequest {
    std::optional<Region> region;    // the whole picture when not given
    std::optional<int> orientation;  // degrees counter-clockwise; tried 0, then 90 when not given
};

struct SymbolGrade {
    bool found = false;
    std::string failure;  // why no symbol was found
    Region region;
    int orientation = 0;
    int top = 0;          // the bars' rows, in the region turned back upright
    int bottom = 0;
    double moduleGuess = 0;  // from the bar count of the middle row, pixels
    Aperture aperture;
    std::vector<LineGrade> lines;
    double grade = 0;     // mean of the lines' grades
    std::string text;     // what the first line that decoded says, printable
};

SymbolGrade GradeSymbol(const GreyPicture& picture, const GradingRequest& request);

}  // namespace quillant::grading
