#include "encoding/symbol_encoder.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>
#include <vector>

#include "encoding/vb_error.h"
#include "tools/grading/code128_text.h"

namespace quillant {
namespace {

using grading::ReaderState;
using grading::Step;
using grading::StepOutput;

std::string Trace(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += "U+" + std::to_string(static_cast<int>(c)) + " ";
    return out;
}

// Symbol values worked out by hand, one per rule the planner must follow.
TEST(ShortestSymbol, WorkedValues) {
    struct Case {
        std::u16string text;
        std::vector<int> values;
    } const cases[] = {
        {u"", {104, 1}},
        {u"AIM", {104, 33, 41, 45, 45}},
        {u"1234", {105, 12, 34, 82}},
        {u"12a", {104, 17, 18, 65, 43}},                  // tie: code set B before C
        {u"\x01", {103, 65, 65}},                          // a control character needs code set A
        {u"a\x01" u"a", {104, 65, 98, 65, 65, 99}},        // Shift for one character
        {u"\u00E9", {104, 100, 73, 41}},                   // FNC4, then 'i' in code set B
        {u"\x01\u00E9\x01", {103, 65, 101, 98, 73, 65, 45}},  // FNC4, Shift, character
        {u"\x7F", {104, 95, 96}},                          // DEL in code set B
        {u"\u00E9\u00E9\u00E9\u00E9\u00E9" u"abc", {104, 100, 100, 73, 73, 73, 73, 73, 100, 100, 65, 66, 67, 32}},  // latch, unlatch
        {u"\u00E9\u00E9" u"1234\u00E9\u00E9", {104, 100, 100, 73, 73, 99, 12, 34, 100, 73, 73, 96}},  // latched through code set C
        {u"\u00E9\u00E8\u00EA\u00EB\x01\u00E9\u00E8", {104, 100, 100, 73, 72, 74, 75, 100, 98, 65, 73, 72, 69}},  // one back: FNC4, Shift
        {u"\u00E9\u00E9\u00E9\u00E9" u"abcde", {104, 100, 73, 100, 73, 100, 73, 100, 73, 65, 66, 67, 68, 69, 61}},  // a tie never latches
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(Trace(test.text));
        EXPECT_EQ(SymbolValues(test.text, Encoding::Full), test.values);
    }
}

TEST(ShortestSymbol, RefusesTheFirstCharacterAboveLatin1) {
    struct Case {
        std::u16string text;
        const char* description;
    } const cases[] = {
        {u"abc\u20AC\u0100", "Character U+20AC at position 4 cannot be encoded in Code 128"},
        {u"\u00FF\U0001F600", "Character U+1F600 at position 2 cannot be encoded in Code 128"},
    };
    for (const auto& test : cases) {
        try {
            ModulePattern(test.text, Encoding::Full);
            ADD_FAILURE() << test.description;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 5);
            EXPECT_EQ(e.description(), test.description);
        }
    }
}

TEST(ShortestSymbol, RandomLatin1TextsReadBack) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> length(0, 30), any(0, 0xFF), digit('0', '9'), kind(0, 3);
    for (int n = 0; n < 3000; ++n) {
        std::u16string text;
        for (int k = length(rng); k > 0; --k) {
            text += static_cast<char16_t>(kind(rng) == 0 ? digit(rng) : any(rng));
        }
        SCOPED_TRACE(Trace(text));
        const std::string modules = ModulePattern(text, Encoding::Full);
        const auto reading = grading::ReadModules(modules);
        ASSERT_TRUE(reading.has_value());
        EXPECT_EQ(reading->text, text);
        EXPECT_FALSE(reading->gs1);
        EXPECT_EQ(reading->values, SymbolValues(text, Encoding::Full));
        EXPECT_EQ(ModuleCount(text, Encoding::Full), static_cast<int32_t>(modules.size()));
        const EncodedSymbol both = EncodeSymbol(text, Encoding::Full);
        EXPECT_EQ(both.modules, modules);
        EXPECT_EQ(both.values, reading->values);
        const auto unlatched = grading::ReadModules(ModulePattern(text, Encoding::FullWithoutLatch));
        ASSERT_TRUE(unlatched.has_value());
        EXPECT_EQ(unlatched->text, text);
        EXPECT_LE(modules.size(), unlatched->values.size() * 11 + 13);
    }
}

// Printable text takes a shortcut in text mode and the full backward pass in
// GS1 mode; with no separator both must choose the same symbols.
TEST(ShortestSymbol, PrintableShortcutPlansAsTheFullPass) {
    std::mt19937 rng(128);
    std::uniform_int_distribution<int> length(0, 24), printable(0x20, 0x7E), digit('0', '9'), kind(0, 1);
    for (int n = 0; n < 5000; ++n) {
        std::u16string text;
        for (int k = length(rng); k > 0; --k) text += static_cast<char16_t>(kind(rng) ? digit(rng) : printable(rng));
        SCOPED_TRACE(Trace(text));
        std::vector<int> textValues = SymbolValues(text, Encoding::Full);
        std::vector<int> gs1Values = SymbolValues(text, Encoding::Gs1);
        gs1Values.erase(gs1Values.begin() + 1);  // the leading FNC1
        textValues.pop_back();                    // check characters differ
        gs1Values.pop_back();
        ASSERT_EQ(textValues, gs1Values);
    }
}

// Breadth-first search over every sequence of symbol values a reader accepts:
// the fewest symbols (start included, check not) that read back as text.
size_t FewestSymbolsBySearch(const std::u16string& text, const std::vector<int>& candidates) {
    struct Node {
        size_t pos;
        ReaderState state;
        size_t symbols;
    };
    std::deque<Node> queue;
    for (int set = 0; set < 3; ++set) queue.push_back({0, ReaderState{set, false, false, false}, 1});
    std::vector<bool> seen((text.size() + 1) * 24, false);
    while (!queue.empty()) {
        const Node node = queue.front();
        queue.pop_front();
        if (node.pos == text.size() && !node.state.shifted && !node.state.fnc4) return node.symbols;
        const size_t key = node.pos * 24 + static_cast<size_t>(node.state.set) * 8 + node.state.shifted * 4u +
                           node.state.fnc4 * 2u + node.state.latched;
        if (seen[key]) continue;
        seen[key] = true;
        for (int value : candidates) {
            ReaderState state = node.state;
            const StepOutput out = Step(state, value);
            if (!out.valid || node.pos + static_cast<size_t>(out.count) > text.size()) continue;
            bool matches = true;
            for (int k = 0; k < out.count; ++k) matches = matches && out.chars[k] == text[node.pos + k];
            if (matches) queue.push_back({node.pos + static_cast<size_t>(out.count), state, node.symbols + 1});
        }
    }
    return 0;
}

// Every text over the alphabet up to maxLength: the planner's symbols
// against the breadth-first optimum, latch included.
int LongerThanSearch(const std::u16string& alphabet, size_t maxLength, Encoding encoding) {
    // Values that can produce an alphabet character in some state, and all
    // function characters; any other value leads nowhere for these texts.
    std::vector<int> candidates;
    for (int value = 0; value <= 102; ++value) {
        bool useful = value >= 96;
        for (int set = 0; set < 3 && !useful; ++set) {
            for (bool flipped : {false, true}) {
                ReaderState state{set, false, flipped, false};
                const StepOutput out = Step(state, value);
                for (int k = 0; k < out.count; ++k) useful = useful || alphabet.find(out.chars[k]) != std::u16string::npos;
            }
        }
        if (useful) candidates.push_back(value);
    }
    std::vector<std::u16string> texts{u""};
    for (size_t begin = 0, length = 1; length <= maxLength; ++length) {
        const size_t end = texts.size();
        for (size_t i = begin; i < end; ++i) {
            for (char16_t c : alphabet) texts.push_back(texts[i] + c);
        }
        begin = end;
    }
    int longer = 0;
    for (const auto& text : texts) {
        const std::vector<int> values = SymbolValues(text, encoding);
        const auto reading = grading::ReadValues(values);
        if (!reading || reading->text != text) {
            ADD_FAILURE() << Trace(text) << "does not read back";
            return -1;
        }
        const size_t planned = values.size() - 1;
        if (planned != FewestSymbolsBySearch(text, candidates)) {
            if (++longer <= 5) ADD_FAILURE() << Trace(text) << "planned " << planned;
        }
    }
    return longer;
}

// Digits, code set A and B characters and extended characters of both
// halves: every way to latch, unlatch, toggle one character, shift, and use
// code set C while latched is open to the search.
TEST(ShortestSymbol, NoShorterPlanExistsForShortTexts) {
    EXPECT_EQ(LongerThanSearch(u"1Aa\x01\u00E9", 6, Encoding::Full), 0);
    EXPECT_EQ(LongerThanSearch(u"1\u00E9\u0081", 9, Encoding::Full), 0);
}

}  // namespace
}  // namespace quillant
