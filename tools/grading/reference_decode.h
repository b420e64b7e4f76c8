#pragma once
// ISO/IEC 15417's reference decode of one scan line: each character from its
// edge-to-similar-edge measurements, the start, the stop with its final bar,
// the check character; with the decodability of what was read and the
// quiet zones either side.

#include <string>
#include <vector>

#include "tools/grading/scan_profile.h"

namespace quillant::grading {

struct LineDecode {
    bool decoded = false;
    std::string failure;      // why not, when not
    bool reversed = false;    // read from right to left
    std::vector<int> values;  // start, data, check (the stop left out)
    double decodability = 0;  // lowest margin to a reference threshold, in half modules
    double moduleWidth = 0;   // the symbol's width over its modules, in pixels
    double leftQuiet = 0;     // light space before the first bar and after
    double rightQuiet = 0;    // the last, in modules
};

// The symbol starts at the line's first bar and ends at its last one; in
// between there must be nothing but symbol characters.
LineDecode DecodeLine(const std::vector<Element>& elements);

}  // namespace quillant::grading
