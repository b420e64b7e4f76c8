#pragma once
// The project's one Code 128 reader: symbol values (or a module string) back
// to text through the code set rules, written from the symbology's rules and
// not from the encoder, so that every plan the encoders make can be read
// back and the grader can say what a picture holds. Code sets A, B and C
// with Shift and switches, FNC1 for GS1-128, FNC4 for one character and two
// FNC4 in a row for the extended-mode latch.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillant::grading {

// What one symbol value does to the reader.
struct ReaderState {
    int set = 0;           // 0 A, 1 B, 2 C
    bool shifted = false;  // the next character is read in the other of A and B
    bool fnc4 = false;     // one FNC4 read: the next character flips its upper half
    bool latched = false;  // two FNC4 in a row: extended until two more
};

constexpr char16_t kFnc1Mark = 0xFFFF;  // FNC1 in a step's output

struct StepOutput {
    bool valid = true;
    int count = 0;  // characters produced: 0, 1 or 2 (a digit pair)
    char16_t chars[2] = {};
};

// Applies one data-region value (not a start, not the check) to state.
// Invalid: a Shift or FNC4 not followed by data, FNC2, FNC3, a value beyond 102.
StepOutput Step(ReaderState& state, int value);

struct Reading {
    std::vector<int> values;  // start through check
    std::u16string text;      // FNC1 separators as U+001D
    bool gs1 = false;         // FNC1 directly after the start
};

// The reading, or nothing when the symbol breaks a rule (bad pattern, start,
// check, stop, a dangling Shift or FNC4, FNC1 elsewhere outside GS1, FNC2,
// FNC3).
std::optional<Reading> ReadModules(std::string_view modules);
std::optional<Reading> ReadValues(const std::vector<int>& values);

struct SymbolText {
    std::string latin1;  // one byte per character; a later FNC1 is GS (0x1D)
    bool gs1 = false;    // FNC1 right after the start character
};

// What a scanned row says, leniently: `values` as DecodeLine gives them
// (start, data, check, the check already verified); FNC2 and FNC3 are
// instructions to the reader and carry no data.
SymbolText TextOf(const std::vector<int>& values);

// For a report: "]C1" first for GS1-128, Latin-1 letters in UTF-8, control
// characters and backslashes as \xNN escapes.
std::string Printable(const SymbolText& text);

}  // namespace quillant::grading
