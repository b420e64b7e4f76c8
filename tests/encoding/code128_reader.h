#pragma once
// A small Code 128 reader for tests: module strings back to symbol values and
// text through the code set rules, written from the symbology's rules and not
// from the encoder, so that every plan can be checked by reading it back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillant::testing {

// What one symbol value does to the reader.
struct ReaderState {
    int set = 0;  // 0 A, 1 B, 2 C
    bool shifted = false;
    bool fnc4 = false;
};

constexpr char16_t kFnc1Mark = 0xFFFF;  // FNC1 in a step's output

struct StepOutput {
    bool valid = true;
    int count = 0;  // characters produced: 0, 1 or 2 (a digit pair)
    char16_t chars[2] = {};
};

// Applies one data-region value (not a start, not the check) to state.
StepOutput Step(ReaderState& state, int value);

struct Reading {
    std::vector<int> values;  // start through check
    std::u16string text;      // FNC1 separators as U+001D
    bool gs1 = false;         // FNC1 directly after the start
};

// The reading, or nothing when the symbol breaks a rule (bad pattern, start,
// check, stop, a dangling Shift or FNC4, FNC1 elsewhere outside GS1).
std::optional<Reading> ReadModules(std::string_view modules);
std::optional<Reading> ReadValues(const std::vector<int>& values);

}  // namespace quillant::testing
