#include "encoding/symbol_encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding/vb_error.h"

namespace quillant {
namespace {

std::string Join(std::initializer_list<const char*> parts) {
    std::string out;
    for (const char* p : parts) out += p;
    return out;
}

struct BuildCase {
    std::u16string text;
    std::vector<int> values;  // start, data and switches, check
    std::string modules;
};

TEST(Quillant1Symbol, WorkedSymbols) {
    const BuildCase cases[] = {
        {u"AB", {104, 33, 34, 102},
         Join({"11010010000", "10100011000", "10001011000", "11110101110", "1100011101011"})},
        {u"12", {104, 17, 18, 54},
         Join({"11010010000", "10011100110", "11001110010", "11101011000", "1100011101011"})},
        {u"1234", {105, 12, 34, 82},
         Join({"11010011100", "10110011100", "10001011000", "10010011110", "1100011101011"})},
        {u"123", {105, 12, 100, 19, 65},
         Join({"11010011100", "10110011100", "10111101110", "11001011100", "10010110000", "1100011101011"})},
        {u"X123456Y", {104, 56, 99, 12, 34, 56, 100, 57, 58},
         Join({"11010010000", "11100010110", "10111011110", "10110011100", "10001011000", "11100010110",
               "10111101110", "11101101000", "11101100010", "1100011101011"})},
        {u"EMPTY", {104, 37, 45, 48, 52, 57, 44},
         Join({"11010010000", "10001101000", "10111011000", "11101110110", "11011100010", "11101101000",
               "10001101110", "1100011101011"})},
        {u"", {104, 1}, Join({"11010010000", "11001101100", "1100011101011"})},
        // ISO/IEC 15417's own example.
        {u"AIM", {104, 33, 41, 45, 45},
         "11010010000101000110001100010001010111011000101110110001100011101011"},
        {u"A B", {104, 33, 0, 34, 33}, ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.text.begin(), test.text.end()));
        EXPECT_EQ(SymbolValues(test.text, Encoding::Quillant1), test.values);
        const std::string modules = ModulePattern(test.text, Encoding::Quillant1);
        if (!test.modules.empty()) {
            EXPECT_EQ(modules, test.modules);
        }
        EXPECT_EQ(modules.size(), 11 * test.values.size() + 13);
        EXPECT_EQ(ModuleCount(test.text, Encoding::Quillant1), static_cast<int32_t>(modules.size()));
    }
}

// A trailing space is encoded: dropping it would print a caption the symbol
// does not carry.
TEST(Quillant1Symbol, TrailingSpacesAreEncoded) {
    EXPECT_EQ(SymbolValues(u"AB ", Encoding::Quillant1), (std::vector<int>{104, 33, 34, 0, 102}));
    EXPECT_EQ(ModulePattern(u"AB ", Encoding::Quillant1).size(), 68u);
    // Pairs 12 and 34, the switch to B (weight 3), the space (weight 4).
    EXPECT_EQ(SymbolValues(u"1234 ", Encoding::Quillant1), (std::vector<int>{105, 12, 34, 100, 0, (105 + 12 + 68 + 300) % 103}));
    EXPECT_EQ(SymbolValues(u" ", Encoding::Quillant1), (std::vector<int>{104, 0, 1}));
}

TEST(Quillant1Symbol, UnencodableCharacterNamesItAndItsPosition) {
    const struct {
        std::u16string text;
        std::string description;
    } cases[] = {
        {u"ab\u00e9", "Character U+00E9 at position 3 cannot be encoded in Code 128"},
        {u"\t", "Character U+0009 at position 1 cannot be encoded in Code 128"},
        {u"12345\x7f", "Character U+007F at position 6 cannot be encoded in Code 128"},
        {u"x\U0001F600", "Character U+1F600 at position 2 cannot be encoded in Code 128"},
        {u"x\xdc00", "Character U+DC00 at position 2 cannot be encoded in Code 128"},
        {std::u16string(u"a\0b", 3), "Character U+0000 at position 2 cannot be encoded in Code 128"},
    };
    for (const auto& test : cases) {
        for (auto build : {+[](std::u16string_view t) { ModulePattern(t, Encoding::Quillant1); },
                           +[](std::u16string_view t) { BarWidth(t, Encoding::Quillant1, 20); }}) {
            try {
                build(test.text);
                ADD_FAILURE() << test.description;
            } catch (const VbError& e) {
                EXPECT_EQ(e.number(), 5);
                EXPECT_EQ(e.description(), test.description);
            }
        }
    }
}

// The check sum is kept modulo 103 as it grows, so it is right at any length.
TEST(Quillant1Symbol, CheckCharacterOfLongTextsMatchesExactSum) {
    for (size_t length : {145u, 6600u, 100000u}) {
        std::u16string text;
        for (size_t i = 0; i < length; ++i) text += static_cast<char16_t>(u'!' + (i * 7) % 90);
        const std::vector<int> values = SymbolValues(text, Encoding::Quillant1);
        long long sum = values.front();
        for (size_t w = 1; w + 1 < values.size(); ++w) sum += static_cast<long long>(values[w]) * w;
        EXPECT_EQ(values.back(), sum % 103) << length;
    }
}

// The densest texts: runs of three digits cost four symbols for three
// characters. The builder sizes its buffer for that ahead of time (the
// sanitizer build catches any write past it).
TEST(Quillant1Symbol, DensestTextsFitTheirBuffer) {
    std::u16string dense = u"123";
    for (int n = 0; n < 50; ++n) {
        for (const std::u16string& text : {dense, u"x" + dense, dense + u"x", dense + u"4"}) {
            ASSERT_EQ(ModulePattern(text, Encoding::Quillant1).size(), static_cast<size_t>(ModuleCount(text, Encoding::Quillant1)));
        }
        dense += u"x123";
    }
}

int32_t ErrorNumberOfWidth(const std::u16string& text, int16_t width) {
    try {
        BarWidth(text, Encoding::Quillant1, width);
        return 0;
    } catch (const VbError& e) {
        return e.number();
    }
}

TEST(BarWidth, ModulesTimesElementWidthIn16Bits) {
    EXPECT_EQ(BarWidth(u"AB", Encoding::Quillant1, 20), 1140);
    EXPECT_EQ(BarWidth(u"EMPTY", Encoding::Quillant1, 20), 1800);
    EXPECT_EQ(BarWidth(u"AB", Encoding::Quillant1, 0), 0);
    EXPECT_EQ(BarWidth(u"AB", Encoding::Quillant1, -3), -171);
    EXPECT_EQ(BarWidth(std::u16string(145, u'A'), Encoding::Quillant1, 20), 32600);
    EXPECT_EQ(ErrorNumberOfWidth(std::u16string(146, u'A'), 20), 6);
    EXPECT_EQ(ErrorNumberOfWidth(std::u16string(146, u'A'), -20), 6);
    EXPECT_EQ(ErrorNumberOfWidth(u"AB", 32767), 6);
}

}  // namespace
}  // namespace quillant
