// Symbol values to text, the parts the encoder of Quillant1 never makes:
// code set A, shifts, FNC1 and FNC4.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/grading/code128_characters.h"
#include "tools/grading/code128_text.h"

namespace quillant::grading {
namespace {

struct TextCase {
    std::vector<int> values;  // start, data; a check character is appended
    std::string printable;
};

// clang-format off
const TextCase kTextCases[] = {
    {{104, 33, 34},                         "AB"},
    {{105, 12, 34, 100, 57},                "1234Y"},
    {{103, 33, 64, 77, 95},                 "A\\x00\\x0D\\x1F"},           // controls in A
    {{104, 33, 98, 77, 33},                 "A\\x0DA"},                    // shift to A for one
    {{103, 33, 98, 65, 33},                 "AaA"},                        // shift to B for one
    {{105, 102, 0, 12, 34, 102, 100, 17, 16}, "]C1001234\\x1D10"},        // GS1: FNC1 first, then GS
    {{104, 100, 35, 35},                    "\xC3\x83" "C"},               // FNC4: one character +128
    {{104, 100, 100, 35, 35, 100, 35, 100, 100, 35}, "\xC3\x83\xC3\x83" "CC"},  // latch, one back, unlatch
    {{103, 101, 33, 101, 64},               "\xC3\x81\\x80"},              // FNC4 in A is 101
    {{105, 101, 33, 99, 1},                 "A01"},                        // C to A, A to C
    {{104, 60, 96, 97, 61},                 "\\x5C]"},                     // FNC3, FNC2 carry nothing
};
// clang-format on

TEST(Code128Text, ReadsTheCodeSets) {
    for (const auto& c : kTextCases) {
        std::vector<int> values = c.values;
        values.push_back(0);  // the check character is not read as text
        EXPECT_EQ(Printable(TextOf(values)), c.printable) << "values starting " << c.values[0] << ", " << c.values[1];
    }
}

// A typo in the table would make two characters alike or one the wrong size.
TEST(Code128Characters, EveryRowIsElevenModulesWithEvenBarsAndItsOwnSums) {
    for (int value = 0; value <= kStop; ++value) {
        const auto w = kCharacterWidths[static_cast<size_t>(value)];
        int modules = 0;
        int bars = 0;
        std::array<int, 4> sums{};
        for (size_t k = 0; k < 6; ++k) {
            modules += w[k] - '0';
            if (k % 2 == 0) bars += w[k] - '0';
            if (k < 4) sums[k] = (w[k] - '0') + (w[k + 1] - '0');
        }
        EXPECT_EQ(modules, 11) << value;
        EXPECT_EQ(bars % 2, 0) << value;
        EXPECT_EQ(CharacterFromSums(sums), value);
    }
}

}  // namespace
}  // namespace quillant::grading
