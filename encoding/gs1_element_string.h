#pragma once
// GS1 element strings such as "(01)09501101530003(17)250101(10)ABC123" or the
// same with the AIs in square brackets: parsed, checked against the AI table
// and its linters and the rules across AIs, and turned into the data that a
// GS1-128 symbol carries.

#include <string>
#include <string_view>

namespace quillant {

struct Gs1Message {
    // AIs and data in order, kGs1Separator (shortest_planner.h) after each AI
    // whose data has no predefined length, except the last; plan it with
    // DataMode::Gs1.
    std::u16string data;
    // The human-readable text: the AIs in parentheses.
    std::u16string caption;
};

// Error 5 with a description naming the AI and what to fix. In the
// parenthesised form an AI's data ends at the next '('; data that contains
// '(' is written with the AIs in square brackets.
Gs1Message ParseGs1(std::u16string_view elements);

}  // namespace quillant
