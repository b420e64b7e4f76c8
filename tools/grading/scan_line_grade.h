#pragma once
// Every ISO/IEC 15416 parameter of one scan line's profile, each with its
// grade; the line's grade is the lowest of them.

#include <array>
#include <vector>

#include "tools/grading/grade_scale.h"
#include "tools/grading/reference_decode.h"

namespace quillant::grading {

// Code 128 wants ten modules of light on either side.
constexpr double kQuietModules = 10;

struct LineGrade {
    int row = 0;
    double rmin = 0;
    double rmax = 0;
    double edgeContrastMin = 0;
    double nonUniformityMax = 0;
    LineDecode decode;
    std::array<double, kParameterCount> values{};  // by Parameter; 1/0 for pass/fail
    std::array<int, kParameterCount> grades{};
    int grade = 0;

    double Value(Parameter p) const { return values[static_cast<size_t>(p)]; }
    int Grade(Parameter p) const { return grades[static_cast<size_t>(p)]; }
};

LineGrade GradeLine(const std::vector<double>& profile, int row);

}  // namespace quillant::grading
