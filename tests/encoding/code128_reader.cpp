#include "tests/encoding/code128_reader.h"

#include "encoding/symbol_table.h"

namespace quillant::testing {
namespace {

constexpr int kA = 0, kB = 1, kC = 2;

}  // namespace

StepOutput Step(ReaderState& state, int value) {
    StepOutput out;
    if (value < 0 || value > 102) {
        out.valid = false;
        return out;
    }
    if (state.set == kC) {
        if (state.shifted || state.fnc4) out.valid = false;
        if (value < 100) {
            out.count = 2;
            out.chars[0] = static_cast<char16_t>(u'0' + value / 10);
            out.chars[1] = static_cast<char16_t>(u'0' + value % 10);
        } else if (value == 100) {
            state.set = kB;
        } else if (value == 101) {
            state.set = kA;
        } else {
            out.count = 1;
            out.chars[0] = kFnc1Mark;
        }
        return out;
    }
    const int reading = state.shifted ? 1 - state.set : state.set;
    if (value < 96) {
        int c = reading == kB ? value + 32 : value < 64 ? value + 32 : value - 64;
        if (state.fnc4) c += 128;
        out.count = 1;
        out.chars[0] = static_cast<char16_t>(c);
        state.shifted = false;
        state.fnc4 = false;
        return out;
    }
    // Function characters: a Shift or an FNC4 must be followed by data.
    const bool pending = state.shifted || state.fnc4;
    const bool fnc4 = (reading == kA && value == kFnc4A) || (reading == kB && value == kFnc4B);
    if (value == kShift && !state.shifted) {
        state.shifted = true;
    } else if (fnc4 && !pending) {
        state.fnc4 = true;
    } else if (pending) {
        out.valid = false;
    } else if (value == kSwitchToC) {
        state.set = kC;
    } else if (value == kSwitchToA || value == kSwitchToB) {
        state.set = value == kSwitchToA ? kA : kB;
    } else if (value == kFnc1) {
        out.count = 1;
        out.chars[0] = kFnc1Mark;
    } else {
        out.valid = false;  // FNC2, FNC3: never planned
    }
    return out;
}

std::optional<Reading> ReadValues(const std::vector<int>& values) {
    if (values.size() < 2 || values.front() < kStartA || values.front() > kStartC) return std::nullopt;
    uint64_t sum = static_cast<uint64_t>(values.front());
    for (size_t i = 1; i + 1 < values.size(); ++i) sum += static_cast<uint64_t>(values[i]) * i;
    if (static_cast<int>(sum % kCheckModulus) != values.back()) return std::nullopt;

    Reading reading;
    reading.values = values;
    ReaderState state;
    state.set = values.front() - kStartA;
    for (size_t i = 1; i + 1 < values.size(); ++i) {
        const StepOutput out = Step(state, values[i]);
        if (!out.valid) return std::nullopt;
        for (int k = 0; k < out.count; ++k) {
            if (out.chars[k] != kFnc1Mark) {
                reading.text += out.chars[k];
            } else if (i == 1) {
                reading.gs1 = true;
            } else if (reading.gs1) {
                reading.text += u'\x1D';
            } else {
                return std::nullopt;
            }
        }
    }
    if (state.shifted || state.fnc4) return std::nullopt;
    return reading;
}

std::optional<Reading> ReadModules(std::string_view modules) {
    if (modules.size() < 2 * kSymbolModules + kStopPattern.size() ||
        (modules.size() - kStopPattern.size()) % kSymbolModules != 0 ||
        modules.substr(modules.size() - kStopPattern.size()) != kStopPattern) {
        return std::nullopt;
    }
    std::vector<int> values;
    for (size_t at = 0; at + kStopPattern.size() < modules.size(); at += kSymbolModules) {
        const std::string_view symbol = modules.substr(at, kSymbolModules);
        int found = -1;
        for (int v = 0; v < kSymbolCount && found < 0; ++v) {
            if (kSymbolRows[static_cast<size_t>(v)].pattern == symbol) found = v;
        }
        if (found < 0) return std::nullopt;
        values.push_back(found);
    }
    return ReadValues(values);
}

}  // namespace quillant::testing
