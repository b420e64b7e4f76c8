#pragma once
// Chooses code sets for a text: code set B for single characters, code set C
// (two digits to a symbol) for runs of three or more digits. The rule fixes
// Quillant1's symbols and widths, which hosts lay out by; it is not the
// shortest plan (a run of three costs a symbol more than code set B:
// "A123" plans as 104 33 99 12 100 19), which the full encoder finds.
//
// The planner reports what it decides as events to a sink: PlanQuillant1
// writes them as symbol values into the plan every encoder's writer takes
// (symbol_encoder.h), while the token stream ("^B!A*C#12*B!3") stays
// available for people and tests. A sink provides:
//   Start(CodeSet)         the symbol starts in code set B or C
//   Data(size_t pos)       the character at pos (0-based) goes out in code set B
//   Pair(size_t pos)       the digits at pos and pos + 1 go out in code set C
//   SwitchToC(), SwitchToB()
// Every character of the text is planned, trailing spaces included.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "encoding/symbol_table.h"

namespace quillant {

enum class CodeSet : char { B = 'B', C = 'C' };

namespace planner_detail {
inline size_t DigitRunAt(std::u16string_view text, size_t pos) {
    size_t end = pos;
    while (end < text.size() && SymbolTable::IsDigit(text[end])) ++end;
    return end - pos;
}
}  // namespace planner_detail

template <class Sink>
void PlanCodeSets(std::u16string_view text, Sink& sink) {
    constexpr size_t kMinRunForC = 3;
    const size_t length = text.size();
    // A leading run that goes to code set C is started in C instead of switching.
    const bool startInC = planner_detail::DigitRunAt(text, 0) >= kMinRunForC;
    sink.Start(startInC ? CodeSet::C : CodeSet::B);

    bool inC = false;
    size_t pos = 0;
    while (pos < length) {
        const size_t run = planner_detail::DigitRunAt(text, pos);
        if (run >= kMinRunForC) {
            if (pos != 0) sink.SwitchToC();
            inC = true;
            const size_t end = pos + run;
            for (size_t k = pos; k + 2 <= end; k += 2) sink.Pair(k);
            if (run % 2 != 0) {
                // The odd digit out travels in code set B.
                sink.SwitchToB();
                inC = false;
                sink.Data(end - 1);
            }
            pos = end;
        } else {
            if (inC) {
                sink.SwitchToB();
                inC = false;
            }
            sink.Data(pos);
            ++pos;
        }
    }
}

// At most four symbols per three characters (a lone run of three digits
// costs a switch, a pair, a switch back and a character), plus the start.
constexpr size_t MaxQuillant1Values(size_t units) { return units / 3 * 4 + units % 3 * 2 + 1; }

// Writes the start and the data, switch values at out (room for
// MaxQuillant1Values(text.size())) and returns how many; no check character.
// Error 5 names the first character that code set B cannot carry.
size_t PlanQuillant1(std::u16string_view text, uint8_t* out);

// The plan written as a token stream: "^B"/"^C" start, "!x" a code set B
// character, "#dd" a digit pair, "*C"/"*B" the switches.
std::u16string PlanCodeSets(std::u16string_view text);

}  // namespace quillant
