#pragma once
// Finds the rows a symbol's bars cover: the tallest run of rows that each
// cross enough bars for a Code 128 symbol and that look alike from one row to
// the next (a caption's rows change from row to row; bars do not).

#include <optional>

#include "tools/grading/grey_picture.h"

namespace quillant::grading {

struct BarBand {
    int top = 0;     // first and last row of the band
    int bottom = 0;
    int left = 0;    // first dark column of the band's middle row and one past
    int right = 0;   // its last
    int bars = 0;    // dark runs on the middle row
};

// Start, check and stop alone have ten bars.
constexpr int kFewestBars = 10;

std::optional<BarBand> FindBarBand(const GreyPicture& picture);

}  // namespace quillant::grading
