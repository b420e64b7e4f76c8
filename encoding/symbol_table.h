#pragma once
// The 106 Code 128 symbol values with their meanings in code sets A, B and C
// and their 11-module bar patterns. One immutable table serves every object.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillant {

struct SymbolRow {
    std::u16string_view nameA;  // code set A: a character or a label
    std::u16string_view keyB;   // code set B: the character it carries, or a label
    std::u16string_view keyC;   // code set C: two digits, or a label
    std::string_view pattern;   // "1" dark, "0" light; equal in all three sets
};

constexpr int kSymbolCount = 106;
constexpr int kStartA = 103;
constexpr int kStartB = 104;
constexpr int kStartC = 105;
constexpr int kSwitchToC = 99;   // read in code set A or B
constexpr int kSwitchToB = 100;  // read in code set A or C
constexpr int kSwitchToA = 101;  // read in code set B or C
constexpr int kShift = 98;       // read in code set A or B: the next symbol in the other one
constexpr int kFnc1 = 102;       // in every code set
constexpr int kFnc2 = 97;        // read in code set A or B
constexpr int kFnc3 = 96;        // read in code set A or B
constexpr int kFnc4A = 101;      // read in code set A: the next data character plus 128
constexpr int kFnc4B = 100;      // read in code set B: the same
constexpr int kCheckModulus = 103;
constexpr int kSymbolModules = 11;
constexpr std::string_view kStopPattern = "1100011101011";

extern const std::array<SymbolRow, kSymbolCount> kSymbolRows;

class SymbolTable {
public:
    static const SymbolTable& Shared();

    const SymbolRow& Row(int value) const;  // error 9 outside 0..105
    std::string_view Pattern(int value) const { return Row(value).pattern; }

    // Equivalent to scanning the rows from value 0 for the first equal key;
    // the keys that a single character or a digit pair can equal are laid out
    // so that the value follows from the code unit directly.
    static std::optional<int> FindB(char16_t c) {
        if (c < u' ' || c > u'~') return std::nullopt;
        return c - u' ';
    }
    static std::optional<int> FindC(char16_t tens, char16_t units) {
        if (!IsDigit(tens) || !IsDigit(units)) return std::nullopt;
        return (tens - u'0') * 10 + (units - u'0');
    }
    static constexpr bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
};

}  // namespace quillant
