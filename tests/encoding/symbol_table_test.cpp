#include "encoding/symbol_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "encoding/vb_error.h"

namespace quillant {
namespace {

// The lookups answer by index; they must agree with a scan of the rows from
// value 0 for the first equal key, which is what the table means.
std::optional<int> ScanB(char16_t c) {
    for (int v = 0; v < kSymbolCount; ++v) {
        if (kSymbolRows[v].keyB == std::u16string_view(&c, 1)) return v;
    }
    return std::nullopt;
}

std::optional<int> ScanC(char16_t a, char16_t b) {
    const char16_t key[] = {a, b};
    for (int v = 0; v < kSymbolCount; ++v) {
        if (kSymbolRows[v].keyC == std::u16string_view(key, 2)) return v;
    }
    return std::nullopt;
}

TEST(SymbolTable, LookupByCodeUnitEqualsScanForEveryCodeUnit) {
    for (uint32_t c = 0; c <= 0xFFFF; ++c) {
        ASSERT_EQ(SymbolTable::FindB(static_cast<char16_t>(c)), ScanB(static_cast<char16_t>(c))) << c;
    }
}

TEST(SymbolTable, DigitPairLookupEqualsScan) {
    const std::u16string probes = u"0123456789 /:aAC\u0660";
    for (char16_t a : probes) {
        for (char16_t b : probes) {
            ASSERT_EQ(SymbolTable::FindC(a, b), ScanC(a, b)) << int(a) << "," << int(b);
        }
    }
}

TEST(SymbolTable, CodeSetBKeys) {
    const struct {
        char16_t c;
        std::optional<int> value;
    } cases[] = {
        {u' ', 0}, {u'!', 1}, {u'A', 33}, {u'^', 62}, {u'_', 63}, {u'a', 65}, {u'|', 92}, {u'~', 94},
        {u'\x7f', std::nullopt}, {u'\t', std::nullopt}, {u'\u00e9', std::nullopt},
    };
    for (const auto& test : cases) EXPECT_EQ(SymbolTable::FindB(test.c), test.value) << int(test.c);
}

TEST(SymbolTable, FixedReadsAndLabels) {
    const auto& table = SymbolTable::Shared();
    EXPECT_EQ(table.Pattern(0), "11011001100");
    EXPECT_EQ(table.Pattern(99), "10111011110");
    EXPECT_EQ(table.Pattern(100), "10111101110");
    EXPECT_EQ(table.Pattern(103), "11010000100");
    EXPECT_EQ(table.Pattern(104), "11010010000");
    EXPECT_EQ(table.Pattern(105), "11010011100");
    EXPECT_EQ(table.Row(64).nameA, u"NUL");
    EXPECT_EQ(table.Row(95).nameA, u"US");
    EXPECT_EQ(table.Row(95).keyB, u"DEL");
    EXPECT_EQ(table.Row(100).keyB, u"FNC4");
    EXPECT_EQ(table.Row(100).keyC, u"Code B");
    EXPECT_EQ(table.Row(101).nameA, u"FNC4");
    EXPECT_EQ(table.Row(7).keyC, u"07");
    try {
        table.Row(106);
        FAIL() << "value 106 was read";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 9);
    }
    EXPECT_THROW(table.Row(-1), VbError);
}

// Code 128's own structure: 3 bars and 3 spaces of 1-4 modules, 11 in all,
// an even number of bar modules, and no two values alike.
TEST(SymbolTable, EveryPatternIsAWellFormedDistinctSymbolCharacter) {
    std::set<std::string_view> seen;
    for (int v = 0; v < kSymbolCount; ++v) {
        const std::string_view p = kSymbolRows[v].pattern;
        ASSERT_EQ(p.size(), 11u) << v;
        ASSERT_EQ(p.front(), '1') << v;
        ASSERT_EQ(p.back(), '0') << v;
        int elements = 0, barModules = 0;
        size_t i = 0;
        while (i < p.size()) {
            size_t j = i;
            while (j < p.size() && p[j] == p[i]) ++j;
            ASSERT_TRUE(p[i] == '0' || p[i] == '1') << v;
            ASSERT_GE(j - i, 1u);
            ASSERT_LE(j - i, 4u) << v;
            if (p[i] == '1') barModules += int(j - i);
            ++elements;
            i = j;
        }
        EXPECT_EQ(elements, 6) << v;
        EXPECT_EQ(barModules % 2, 0) << v;
        EXPECT_TRUE(seen.insert(p).second) << "duplicate pattern at " << v;
    }
}

}  // namespace
}  // namespace quillant
