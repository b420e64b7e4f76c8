#include "encoding/code_set_planner.h"

#include <gtest/gtest.h>

namespace quillant {
namespace {

struct PlanCase {
    std::u16string text;
    std::u16string stream;
};

// The token stream is the readable form of every code set decision.
TEST(PlanCodeSets, WorkedExamplesAndEdges) {
    const PlanCase cases[] = {
        {u"", u"^B"},
        {u"AB", u"^B!A!B"},
        {u"12", u"^B!1!2"},                 // two digits stay in code set B
        {u"AB12", u"^B!A!B!1!2"},
        {u"A12B", u"^B!A!1!2!B"},
        {u"123", u"^C#12*B!3"},             // leading run of three starts in C
        {u"A123", u"^B!A*C#12*B!3"},        // the same run after a letter switches
        {u"1234", u"^C#12#34"},             // even run at the end keeps C current
        {u"12345", u"^C#12#34*B!5"},        // odd run leaves its last digit in B
        {u"A123B", u"^B!A*C#12*B!3!B"},
        {u"X123456Y", u"^B!X*C#12#34#56*B!Y"},
        {u"1234A5678", u"^C#12#34*B!A*C#56#78"},
        {u"123A456", u"^C#12*B!3!A*C#45*B!6"},
        {u"A B", u"^B!A! !B"},
        {u"!*#^", u"^B!!!*!#!^"},           // token characters are plain data
        // Trailing spaces are data like any other character.
        {u" ", u"^B! "},
        {u"AB ", u"^B!A!B! "},
        {u"AB  ", u"^B!A!B! ! "},
        {u"1234 ", u"^C#12#34*B! "},
        // Only ASCII digits count; other characters are planned as data.
        {u"\u0661\u0662\u0663", u"^B!\u0661!\u0662!\u0663"},
        {u"12/3:4", u"^B!1!2!/!3!:!4"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(PlanCodeSets(test.text), test.stream);
    }
}

}  // namespace
}  // namespace quillant
