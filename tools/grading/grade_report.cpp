#include "tools/grading/grade_report.h"

#include <algorithm>
#include <cstdio>

#include "tools/grading/grade_scale.h"

namespace quillant::grading {
namespace {

std::string Format(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

bool PassFail(Parameter p) {
    return p == Parameter::MinimumReflectance || p == Parameter::Decode || p == Parameter::QuietZones;
}

bool LowerIsBetter(Parameter p) { return p == Parameter::Defects; }

// A parameter's measurement on one line as the report shows it.
std::string Measured(const LineGrade& line, Parameter p) {
    switch (p) {
        case Parameter::MinimumReflectance:
            return Format("%.2f", line.rmin);
        case Parameter::Decode:
            return line.decode.decoded ? "ok" : "fail";
        case Parameter::Decodability:
            return line.decode.decoded ? Format("%.2f", line.Value(p)) : "-";
        case Parameter::QuietZones:
            return line.decode.decoded
                       ? Format("%.1f", line.decode.leftQuiet) + "/" + Format("%.1f", line.decode.rightQuiet)
                       : "-";
        default:
            return Format("%.2f", line.Value(p));
    }
}

// Which line is worst for a parameter: the lowest grade, then the worst value.
const LineGrade& WorstLine(const SymbolGrade& symbol, Parameter p) {
    return *std::min_element(symbol.lines.begin(), symbol.lines.end(), [p](const LineGrade& a, const LineGrade& b) {
        if (a.Grade(p) != b.Grade(p)) return a.Grade(p) < b.Grade(p);
        return LowerIsBetter(p) ? a.Value(p) > b.Value(p) : a.Value(p) < b.Value(p);
    });
}

std::string Why(const LineGrade& line, Parameter p) {
    if (p == Parameter::Decode && !line.decode.decoded) return ": " + line.decode.failure;
    if (p == Parameter::MinimumReflectance && line.Grade(p) == 0) {
        return ": Rmin " + Format("%.2f", line.rmin) + " above half of Rmax " + Format("%.2f", line.rmax);
    }
    if (p == Parameter::QuietZones && line.decode.decoded && line.Grade(p) == 0) {
        return ": " + Format("%.1f", line.decode.leftQuiet) + " and " + Format("%.1f", line.decode.rightQuiet) +
               " modules, 10 wanted";
    }
    return "";
}

}  // namespace

std::string Report(const SymbolGrade& symbol) {
    const Region& r = symbol.region;
    std::string out = "region " + std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) +
                      "x" + std::to_string(r.height) + ", orientation " + std::to_string(symbol.orientation) + "\n";
    if (!symbol.found) return out + "no symbol: " + symbol.failure + "\n";
    out += "bars on rows " + std::to_string(symbol.top) + ".." + std::to_string(symbol.bottom) + " (turned upright)" +
           (symbol.moduleGuess > 0 ? ", X about " + Format("%.2f", symbol.moduleGuess) + " px"
                                   : std::string(", X unknown (the bar count fits no Code 128 symbol)")) +
           ", aperture " +
           std::to_string(symbol.aperture.across) + " px along the line x " + std::to_string(symbol.aperture.along) +
           " rows\n";
    out += "text " + (symbol.text.empty() ? std::string("(none decoded)") : "\"" + symbol.text + "\"") + "\n";

    char cell[64];
    std::snprintf(cell, sizeof cell, "%-5s %5s", "line", "row");
    out += cell;
    for (int i = 0; i < kParameterCount; ++i) {
        std::snprintf(cell, sizeof cell, "  %-11s", HeadingOf(static_cast<Parameter>(i)));
        out += cell;
    }
    out += "  grade\n";
    for (size_t n = 0; n < symbol.lines.size(); ++n) {
        const LineGrade& line = symbol.lines[n];
        std::snprintf(cell, sizeof cell, "%-5zu %5d", n + 1, line.row);
        out += cell;
        for (int i = 0; i < kParameterCount; ++i) {
            const auto p = static_cast<Parameter>(i);
            std::snprintf(cell, sizeof cell, "  %-9s %c", Measured(line, p).c_str(), LetterOf(line.Grade(p)));
            out += cell;
        }
        out += "  " + std::string(1, LetterOf(line.grade)) + (line.decode.reversed ? " (read right to left)" : "") +
               "\n";
    }
    for (int i = 0; i < kParameterCount; ++i) {
        const auto p = static_cast<Parameter>(i);
        double sum = 0;
        for (const auto& line : symbol.lines) sum += line.Grade(p);
        const double mean = sum / static_cast<double>(symbol.lines.size());
        const LineGrade& worst = WorstLine(symbol, p);
        std::snprintf(cell, sizeof cell, "%-22s", NameOf(p));
        out += cell;
        out += PassFail(p) ? (worst.Grade(p) == 4 ? "pass on every line" : "fails on some lines")
                           : "worst " + Measured(worst, p);
        out += "  grade " + Format("%.1f", mean) + " " + LetterOf(mean) + Why(worst, p) + "\n";
    }
    out += "grade " + Format("%.1f", symbol.grade) + " " + LetterOf(symbol.grade) + "\n";
    return out;
}

std::vector<std::string> Shortfalls(const SymbolGrade& symbol, char expected) {
    std::vector<std::string> reasons;
    if (!symbol.found) {
        reasons.push_back("no symbol: " + symbol.failure);
        return reasons;
    }
    if (LetterOf(symbol.grade) <= expected) return reasons;  // 'A' < 'B': a letter at or before is as good
    const int wanted = 'A' - expected + 4;
    for (int i = 0; i < kParameterCount; ++i) {
        const auto p = static_cast<Parameter>(i);
        // Where a line did not decode, decode is the reason; its missing
        // decodability and quiet zones would only repeat it.
        const bool needsDecode = p == Parameter::Decodability || p == Parameter::QuietZones;
        int below = 0;
        const LineGrade* worst = nullptr;
        for (const auto& line : symbol.lines) {
            if (line.Grade(p) >= wanted || (needsDecode && !line.decode.decoded)) continue;
            ++below;
            if (!worst || line.Grade(p) < worst->Grade(p) ||
                (line.Grade(p) == worst->Grade(p) &&
                 (LowerIsBetter(p) ? line.Value(p) > worst->Value(p) : line.Value(p) < worst->Value(p)))) {
                worst = &line;
            }
        }
        if (below == 0) continue;
        reasons.push_back(std::string(NameOf(p)) + " " + Measured(*worst, p) + " (" + LetterOf(worst->Grade(p)) +
                          ") on " + std::to_string(below) + " of " + std::to_string(symbol.lines.size()) + " lines" +
                          Why(*worst, p));
    }
    return reasons;
}

}  // namespace quillant::grading
