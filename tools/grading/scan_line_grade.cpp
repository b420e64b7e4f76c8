#include "tools/grading/scan_line_grade.h"

#include <algorithm>
#include <cmath>

namespace quillant::grading {
namespace {

// The picture's edge and the bars' edges both sit on the pixel grid, so a
// quiet zone drawn exactly ten modules wide may measure half a pixel short.
constexpr double kQuietSlackPixels = 0.5;

}  // namespace

LineGrade GradeLine(const std::vector<double>& profile, int row) {
    LineGrade line;
    line.row = row;
    const auto [lowest, highest] = std::minmax_element(profile.begin(), profile.end());
    line.rmin = *lowest;
    line.rmax = *highest;
    const double contrast = line.rmax - line.rmin;
    const std::vector<Element> elements = FindElements(profile, (line.rmax + line.rmin) / 2);

    line.edgeContrastMin = contrast;
    for (size_t i = 0; i < elements.size(); ++i) {
        line.nonUniformityMax = std::max(line.nonUniformityMax, elements[i].nonUniformity);
        if (i > 0) {
            line.edgeContrastMin = std::min(line.edgeContrastMin,
                                            std::abs(elements[i].reflectance - elements[i - 1].reflectance));
        }
    }
    line.decode = DecodeLine(elements);

    auto set = [&line](Parameter p, double value) { line.values[static_cast<size_t>(p)] = value; };
    set(Parameter::SymbolContrast, contrast);
    set(Parameter::MinimumReflectance, line.rmin <= 0.5 * line.rmax ? 1 : 0);
    set(Parameter::MinimumEdgeContrast, elements.size() > 1 ? line.edgeContrastMin : 0);
    set(Parameter::Modulation, contrast > 0 && elements.size() > 1 ? line.edgeContrastMin / contrast : 0);
    set(Parameter::Defects, contrast > 0 ? line.nonUniformityMax / contrast : 1);
    set(Parameter::Decode, line.decode.decoded ? 1 : 0);
    set(Parameter::Decodability, line.decode.decoded ? line.decode.decodability : 0);
    const double slack = line.decode.decoded ? kQuietSlackPixels / line.decode.moduleWidth : 0;
    const bool quiet = line.decode.decoded && line.decode.leftQuiet >= kQuietModules - slack &&
                       line.decode.rightQuiet >= kQuietModules - slack;
    set(Parameter::QuietZones, quiet ? 1 : 0);

    line.grade = 4;
    for (int i = 0; i < kParameterCount; ++i) {
        const auto p = static_cast<Parameter>(i);
        line.grades[static_cast<size_t>(i)] = GradeOf(p, line.Value(p));
        line.grade = std::min(line.grade, line.Grade(p));
    }
    return line;
}

}  // namespace quillant::grading
