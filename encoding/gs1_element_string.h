#pragma once
// GS1 element strings such as "(01)09501101530003(17)250101(10)ABC123" or the
// same with the AIs in square brackets: parsed, checked against the AI table
// and its linters and the rules across AIs, and turned into the data that a
// GS1-128 symbol carries.
//
// What belongs to one symbol is checked in it: syntax, data, AIs that
// exclude each other, an AI given twice with different data, the 48
// characters. Required partners are a rule of the whole item: a logistic
// label commonly splits its AIs over two or three symbols, so a symbol that
// lacks a partner still encodes, says what it lacks, and CheckGs1Label judges
// the symbols of one item together.

#include <string>
#include <string_view>
#include <vector>

namespace quillant {

struct Gs1Message {
    // AIs and data in order, kGs1Separator (shortest_planner.h) after each AI
    // whose data has no predefined length, except the last; plan it with
    // Encoding::Gs1.
    std::u16string data;
    // The human-readable text: the AIs in parentheses.
    std::u16string caption;
    // The partner AIs this symbol alone lacks, "AI (10) needs AI (01), (02),
    // (03), (8006) or (8026)", several joined by "; "; empty when it has all.
    std::string missing;
};

// Error 5 with a description naming the AI and what to fix. In the
// parenthesised form an AI's data ends at the next '('; data that contains
// '(' is written with the AIs in square brackets.
Gs1Message ParseGs1(std::u16string_view elements);

// The element strings of all the symbols on one item: "" when they make a
// valid label together, else the first fault naming the AIs (a fault inside
// one symbol is prefixed with "Symbol N: "). Across the symbols it checks
// required partners, exclusions and AIs repeated with different data.
std::string CheckGs1Label(const std::vector<std::u16string>& symbols);

}  // namespace quillant
