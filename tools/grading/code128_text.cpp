#include "tools/grading/code128_text.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "tools/grading/code128_characters.h"

namespace quillant::grading {
namespace {

constexpr int kA = 0, kB = 1, kC = 2;
constexpr int kShift = 98;
constexpr int kSwitchToC = 99;
constexpr int kSwitchToB = 100;  // in A and C; FNC4 in B
constexpr int kSwitchToA = 101;  // in B and C; FNC4 in A
constexpr int kFnc1 = 102;
constexpr int kModulus = 103;
constexpr char kGroupSeparator = 0x1D;

// The module strings of the characters and the stop, from their widths.
const std::array<std::string, kStop + 1>& Patterns() {
    static const auto patterns = [] {
        std::array<std::string, kStop + 1> table;
        for (size_t v = 0; v < table.size(); ++v) {
            for (size_t k = 0; k < kCharacterWidths[v].size(); ++k) {
                table[v].append(static_cast<size_t>(kCharacterWidths[v][k] - '0'), k % 2 == 0 ? '1' : '0');
            }
        }
        table[kStop] += "11";  // the stop's final bar
        return table;
    }();
    return patterns;
}

}  // namespace

StepOutput Step(ReaderState& state, int value) {
    StepOutput out;
    if (value < 0 || value > kFnc1) {
        out.valid = false;
        return out;
    }
    if (state.set == kC) {
        if (state.shifted || state.fnc4) out.valid = false;
        if (value < 100) {
            out.count = 2;
            out.chars[0] = static_cast<char16_t>(u'0' + value / 10);
            out.chars[1] = static_cast<char16_t>(u'0' + value % 10);
        } else if (value == kSwitchToB) {
            state.set = kB;
        } else if (value == kSwitchToA) {
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
        if (state.fnc4 != state.latched) c += 128;
        out.count = 1;
        out.chars[0] = static_cast<char16_t>(c);
        state.shifted = false;
        state.fnc4 = false;
        return out;
    }
    // Function characters: a Shift or a single FNC4 must be followed by data.
    const bool fnc4 = (reading == kA && value == kSwitchToA) || (reading == kB && value == kSwitchToB);
    if (value == kShift && !state.shifted) {
        state.shifted = true;
    } else if (fnc4 && !state.shifted) {
        // The second FNC4 of a pair toggles the latch instead.
        state.latched = state.latched != state.fnc4;
        state.fnc4 = !state.fnc4;
    } else if (state.shifted || state.fnc4) {
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
    for (size_t i = 1; i + 1 < values.size(); ++i) sum += static_cast<uint64_t>(values[i]) * (i % kModulus);
    if (static_cast<int>(sum % kModulus) != values.back()) return std::nullopt;

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
    const auto& patterns = Patterns();
    const std::string_view stop = patterns[kStop];
    if (modules.size() < 2 * kCharacterModules + stop.size() ||
        (modules.size() - stop.size()) % kCharacterModules != 0 ||
        modules.substr(modules.size() - stop.size()) != stop) {
        return std::nullopt;
    }
    std::vector<int> values;
    for (size_t at = 0; at + stop.size() < modules.size(); at += kCharacterModules) {
        const std::string_view symbol = modules.substr(at, kCharacterModules);
        int found = -1;
        for (int v = 0; v < kStop && found < 0; ++v) {
            if (patterns[static_cast<size_t>(v)] == symbol) found = v;
        }
        if (found < 0) return std::nullopt;
        values.push_back(found);
    }
    return ReadValues(values);
}

SymbolText TextOf(const std::vector<int>& values) {
    SymbolText text;
    if (values.size() < 2) return text;
    ReaderState state;
    state.set = values[0] == kStartA ? kA : values[0] == kStartB ? kB : kC;
    for (size_t i = 1; i + 1 < values.size(); ++i) {
        const StepOutput out = Step(state, values[i]);
        for (int k = 0; k < out.count; ++k) {
            if (out.chars[k] != kFnc1Mark) {
                text.latin1 += static_cast<char>(out.chars[k] & 0xFF);
            } else if (i == 1) {
                text.gs1 = true;
            } else {
                text.latin1 += kGroupSeparator;
            }
        }
    }
    return text;
}

std::string Printable(const SymbolText& text) {
    std::string out = text.gs1 ? "]C1" : "";
    for (const char byte : text.latin1) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x20 || c == 0x7F || c == '\\' || (c >= 0x80 && c < 0xA0)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
        } else if (c >= 0xA0) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace quillant::grading
