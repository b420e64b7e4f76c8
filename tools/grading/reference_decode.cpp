#include "tools/grading/reference_decode.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "tools/grading/code128_characters.h"

namespace quillant::grading {
namespace {

constexpr int kCheckModulus = 103;
// e measurements below 1.5 or from 7.5 modules fit no character.
constexpr double kLowestThreshold = 1.5;
constexpr double kHighestThreshold = 7.5;
// A read that fails here is tried from the other end.
constexpr const char* kNoStart = "no start character";

struct Reading {
    std::optional<int> value;
    double decodability = 0;
};

// One character from the six element widths starting at `first`. Each e is
// compared with the thresholds (1.5 .. 7.5) x p/11, p the character's width;
// how far the nearest threshold lies, over half a module, is the margin that
// decodability reports (1 for a perfect character, 0 on a threshold).
Reading ReadCharacter(const std::vector<double>& widths, size_t first) {
    double p = 0;
    for (size_t k = 0; k < 6; ++k) p += widths[first + k];
    const double module = p / kCharacterModules;
    Reading reading;
    std::array<int, 4> sums{};
    double margin = module / 2;
    for (size_t j = 0; j < 4; ++j) {
        const double e = (widths[first + j] + widths[first + j + 1]) / module;
        if (e < kLowestThreshold || e >= kHighestThreshold) return reading;
        sums[j] = static_cast<int>(std::floor(e + 0.5));
        margin = std::min(margin, std::abs(e - (sums[j] - 0.5)) * module);
        margin = std::min(margin, std::abs(sums[j] + 0.5 - e) * module);
    }
    reading.value = CharacterFromSums(sums);
    reading.decodability = margin / (module / 2);
    return reading;
}

std::string Ordinal(size_t index) {
    return index == 0 ? "the start character" : "symbol character " + std::to_string(index + 1);
}

// Reads the bars and spaces between the outer bars (widths[0] is the first
// bar) as a symbol running left to right.
LineDecode ReadForward(const std::vector<double>& widths) {
    LineDecode result;
    result.decodability = 1;
    size_t at = 0;
    for (size_t index = 0;; ++index, at += 6) {
        if (at + 6 > widths.size()) {
            result.failure = "no stop character";
            return result;
        }
        const Reading reading = ReadCharacter(widths, at);
        const bool start = reading.value && *reading.value >= kStartA && *reading.value <= kStartC;
        if (index == 0 && !start) {
            result.failure = kNoStart;
            return result;
        }
        if (!reading.value) {
            result.failure = Ordinal(index) + " fits no character";
            return result;
        }
        const int value = *reading.value;
        if (index > 0 && start) {
            result.failure = Ordinal(index) + " is a start character";
            return result;
        }
        result.decodability = std::min(result.decodability, reading.decodability);
        if (value == kStop) break;
        result.values.push_back(value);
    }
    // The stop's final bar, then nothing more: its width is checked loosely
    // (1 to 3 modules), as bar width changes do not move edge-to-similar-edge
    // measurements and should not stop a read here either.
    const double module = (widths[at] + widths[at + 1] + widths[at + 2] + widths[at + 3] + widths[at + 4] +
                           widths[at + 5]) / kCharacterModules;
    if (at + 7 != widths.size()) {
        result.failure = at + 7 > widths.size() ? "no final bar after the stop" : "bars after the stop";
        return result;
    }
    const double finalBar = widths[at + 6] / module;
    if (finalBar < 1 || finalBar > 3) {
        result.failure = "the stop's final bar is not two modules";
        return result;
    }
    if (result.values.size() < 2) {
        result.failure = "no check character";
        return result;
    }
    int sum = result.values[0];
    for (size_t i = 1; i + 1 < result.values.size(); ++i) sum += static_cast<int>(i) * result.values[i];
    if (sum % kCheckModulus != result.values.back()) {
        result.failure = "the check character is " + std::to_string(result.values.back()) + ", the data give " +
                         std::to_string(sum % kCheckModulus);
        return result;
    }
    result.decoded = true;
    return result;
}

}  // namespace

LineDecode DecodeLine(const std::vector<Element>& elements) {
    LineDecode result;
    const auto isBar = [](const Element& e) { return e.dark; };
    const auto firstBar = std::find_if(elements.begin(), elements.end(), isBar);
    if (firstBar == elements.end()) {
        result.failure = "no bars on the line";
        return result;
    }
    const auto lastBar = std::find_if(elements.rbegin(), elements.rend(), isBar).base() - 1;
    std::vector<double> widths;
    for (auto e = firstBar; e <= lastBar; ++e) widths.push_back(e->Width());
    const double symbolWidth = lastBar->end - firstBar->start;
    const double left = firstBar->start;
    const double right = elements.back().end - lastBar->end;

    result = ReadForward(widths);
    if (!result.decoded && result.failure == kNoStart) {
        std::reverse(widths.begin(), widths.end());
        LineDecode backward = ReadForward(widths);
        backward.reversed = true;
        if (backward.failure != kNoStart) result = backward;
        else result.failure = "no start character at either end";
    }
    if (!result.decoded) return result;
    const size_t modules = result.values.size() * kCharacterModules + kStopModules;
    result.moduleWidth = symbolWidth / static_cast<double>(modules);
    result.leftQuiet = (result.reversed ? right : left) / result.moduleWidth;
    result.rightQuiet = (result.reversed ? left : right) / result.moduleWidth;
    return result;
}

}  // namespace quillant::grading
