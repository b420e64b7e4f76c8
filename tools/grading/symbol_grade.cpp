#include "tools/grading/symbol_grade.h"

#include <algorithm>
#include <cmath>

#include "tools/grading/code128_characters.h"
#include "tools/grading/code128_text.h"
#include "tools/grading/symbol_band.h"

namespace quillant::grading {
namespace {

// The inspection band: scan lines from 10 % to 90 % of the bar height.
constexpr double kBandMargin = 0.1;
// ISO/IEC 15416 measures with a round spot 0.8 X across. Along the scan line
// the spot is one pixel: a pixel is a printer dot, a module can be one dot
// wide, and any wider spot would blur a one-dot space into grey. Along the
// bars it averages 0.8 X rows, where averaging costs no edge sharpness and
// keeps the spot's reach for defects.
constexpr double kApertureModules = 0.8;

// The module width the bar count implies: a Code 128 symbol of c characters
// before the stop has 3c + 4 bars and 11c + 13 modules.
double GuessModule(const BarBand& band) {
    if (band.bars < kFewestBars || (band.bars - 4) % 3 != 0) return 0;
    const int characters = (band.bars - 4) / 3;
    return (band.right - band.left) / static_cast<double>(characters * kCharacterModules + kStopModules);
}

SymbolGrade GradeUpright(const GreyPicture& upright, const BarBand& band) {
    SymbolGrade result;
    result.found = true;
    result.top = band.top;
    result.bottom = band.bottom;
    result.moduleGuess = GuessModule(band);
    result.aperture.along = std::max(1, static_cast<int>(std::lround(kApertureModules * result.moduleGuess)));
    const int height = band.bottom - band.top + 1;
    double sum = 0;
    for (int i = 0; i < kScanLines; ++i) {
        const double share = kBandMargin + (1 - 2 * kBandMargin) * i / (kScanLines - 1);
        const int row = band.top + static_cast<int>(std::lround(share * (height - 1)));
        const auto profile = SampleProfile(upright, row, result.aperture, band.top, band.bottom);
        result.lines.push_back(GradeLine(profile, row));
        sum += result.lines.back().grade;
        if (result.text.empty() && result.lines.back().decode.decoded) {
            result.text = Printable(TextOf(result.lines.back().decode.values));
        }
    }
    result.grade = sum / kScanLines;
    return result;
}

}  // namespace

SymbolGrade GradeSymbol(const GreyPicture& picture, const GradingRequest& request) {
    const Region region = request.region.value_or(Region{0, 0, picture.width, picture.height});
    const GreyPicture cropped = request.region ? Crop(picture, region) : picture;
    std::vector<int> orientations;
    if (request.orientation) orientations.push_back(*request.orientation);
    else orientations = {0, 90};
    // Untold, the orientation that grades better wins: a turned caption can
    // pass for a few rows of bars, but it does not decode.
    SymbolGrade best;
    best.region = region;
    best.orientation = orientations.front();
    best.failure = "no rows that cross at least ten bars alike";
    for (const int orientation : orientations) {
        const GreyPicture upright = TurnBack(cropped, orientation);
        if (const auto band = FindBarBand(upright)) {
            SymbolGrade result = GradeUpright(upright, *band);
            result.region = region;
            result.orientation = orientation;
            if (!best.found || result.grade > best.grade) best = std::move(result);
        }
    }
    return best;
}

}  // namespace quillant::grading
