#include "tools/grading/grade_scale.h"

#include <array>

namespace quillant::grading {
namespace {

struct Scale {
    Parameter parameter;
    const char* name;
    const char* heading;
    bool higherIsBetter;
    std::array<double, 4> bounds;  // lowest (or highest) value for A, B, C, D
};

// A pass/fail parameter's value is 1 or 0: passing reaches A, failing F.
constexpr std::array<double, 4> kPassFail{0.5, 0.5, 0.5, 0.5};

// clang-format off
constexpr std::array<Scale, kParameterCount> kScales{{
    {Parameter::SymbolContrast,      "symbol contrast",       "SC",     true,  {0.70, 0.55, 0.40, 0.20}},
    {Parameter::MinimumReflectance,  "minimum reflectance",   "Rmin",   true,  kPassFail},
    {Parameter::MinimumEdgeContrast, "minimum edge contrast", "ECmin",  true,  {0.15, 0.15, 0.15, 0.15}},
    {Parameter::Modulation,          "modulation",            "MOD",    true,  {0.70, 0.60, 0.50, 0.40}},
    {Parameter::Defects,             "defects",               "defects", false, {0.15, 0.20, 0.25, 0.30}},
    {Parameter::Decode,              "decode",                "decode", true,  kPassFail},
    {Parameter::Decodability,        "decodability",          "V",      true,  {0.62, 0.50, 0.37, 0.25}},
    {Parameter::QuietZones,          "quiet zones",           "quiet",  true,  kPassFail},
}};
// clang-format on

// Measured values are sums of pixel fractions: a value meant to sit on a
// bound may come out a hair either side of it.
constexpr double kTolerance = 1e-9;

const Scale& ScaleOf(Parameter parameter) { return kScales[static_cast<size_t>(parameter)]; }

}  // namespace

const char* NameOf(Parameter parameter) { return ScaleOf(parameter).name; }
const char* HeadingOf(Parameter parameter) { return ScaleOf(parameter).heading; }

int GradeOf(Parameter parameter, double value) {
    const Scale& scale = ScaleOf(parameter);
    for (size_t i = 0; i < scale.bounds.size(); ++i) {
        const bool reaches = scale.higherIsBetter ? value >= scale.bounds[i] - kTolerance
                                                  : value <= scale.bounds[i] + kTolerance;
        if (reaches) return 4 - static_cast<int>(i);
    }
    return 0;
}

char LetterOf(double grade) {
    if (grade >= 3.5) return 'A';
    if (grade >= 2.5) return 'B';
    if (grade >= 1.5) return 'C';
    if (grade >= 0.5) return 'D';
    return 'F';
}

}  // namespace quillant::grading
