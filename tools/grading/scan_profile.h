#pragma once
// One scan line's reflectance profile and the elements it splits into at the
// global threshold.

#include <vector>

#include "tools/grading/grey_picture.h"

namespace quillant::grading {

// The measuring spot: `across` pixels along the scan line, `along` pixels
// along the bars (centred on the line's row).
struct Aperture {
    int across = 1;
    int along = 1;
};

// One sample per column of the picture: the mean reflectance under the
// aperture centred there. Rows outside [firstRow, lastRow] are not used, so
// the spot never reaches past the bars.
std::vector<double> SampleProfile(const GreyPicture& picture, int row, const Aperture& aperture, int firstRow,
                                  int lastRow);

struct Element {
    bool dark = false;
    double start = 0;        // edges in pixels from the line's start, where the
    double end = 0;          // profile crosses the threshold (the line's ends
                             // for the first and last element)
    double reflectance = 0;  // a space's highest sample, a bar's lowest
    double nonUniformity = 0;  // highest peak minus lowest valley inside it

    double Width() const { return end - start; }
};

// Splits the profile at the threshold: samples below it are bars, the others
// spaces. The first and last element reach the ends of the line.
std::vector<Element> FindElements(const std::vector<double>& profile, double threshold);

}  // namespace quillant::grading
