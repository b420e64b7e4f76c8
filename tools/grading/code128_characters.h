#pragma once
// The Code 128 symbol characters as element widths in modules, and the
// lookup of a character from its four edge-to-similar-edge sums.

#include <array>
#include <optional>
#include <string_view>

namespace quillant::grading {

constexpr int kStartA = 103;
constexpr int kStartB = 104;
constexpr int kStartC = 105;
constexpr int kStop = 106;         // its first six elements; a two-module bar ends it
constexpr int kCharacterModules = 11;
constexpr int kStopModules = 13;

// Bar, space, bar, space, bar, space, in modules; index = symbol value.
extern const std::array<std::string_view, kStop + 1> kCharacterWidths;

// The symbol value whose sums e1..e4 (bar+space, space+bar, bar+space,
// space+bar, each 2 to 7 modules) are `sums`, or nothing.
std::optional<int> CharacterFromSums(const std::array<int, 4>& sums);

}  // namespace quillant::grading
