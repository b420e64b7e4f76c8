#include "encoding/shortest_planner.h"

#include <array>
#include <vector>

#include "encoding/symbol_table.h"
#include "encoding/unencodable_character.h"

namespace quillant {
namespace {

enum Set : uint8_t { kA, kB, kC };
constexpr Set kSwitchOrder[] = {kB, kC, kA};  // the tie-break among switches and starts
constexpr uint32_t kNever = 1u << 30;         // no way; sums of it stay far from overflow

// A choice for (position, code set): the code set the character goes out in
// (a switch when it differs) and whether it goes out shifted from there.
constexpr uint8_t kSetMask = 3;
constexpr uint8_t kShifted = 4;

// Symbols one character costs in code set A or B: FNC4 first for U+0080..U+00FF.
uint32_t CostIn(Set set, char16_t c) {
    const unsigned base = c & 0x7Fu;
    const uint32_t fnc4 = c >> 7;
    const bool carried = set == kA ? base < 0x60 : base >= 0x20;
    return carried ? 1 + fnc4 : kNever;
}

uint8_t ValueIn(Set set, unsigned base) {
    return static_cast<uint8_t>(set == kA && base < 0x20 ? base + 64 : base - 32);
}

constexpr uint8_t kSwitchTo[] = {kSwitchToA, kSwitchToB, kSwitchToC};
constexpr uint8_t kStart[] = {kStartA, kStartB, kStartC};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Short texts keep their choices on the stack; longer ones use the heap.
class ChoiceBuffer {
public:
    explicit ChoiceBuffer(size_t count) {
        if (count > small_.size()) {
            large_.resize(count);
            data_ = large_.data();
        }
    }
    // Loops take this pointer into a local: stores through a byte pointer may
    // alias anything, so a member pointer would be reloaded on every store.
    uint8_t* data() { return data_; }

private:
    std::array<uint8_t, 3 * 64> small_;
    std::vector<uint8_t> large_;
    uint8_t* data_ = small_.data();
};

// Fills choices for any text of U+0000..U+00FF; returns the costs at 0.
std::array<uint32_t, 3> PlanAnyText(std::u16string_view data, bool gs1, uint8_t* choices) {
    const size_t n = data.size();
    std::array<uint32_t, 3> next1{};  // cost at k + 1
    uint32_t next2C = 0;              // code set C's cost at k + 2
    for (size_t k = n; k-- > 0;) {
        const char16_t c = data[k];
        uint32_t local[3];  // without switching first
        uint8_t shifted[3] = {0, 0, 0};
        if (gs1 && c == kGs1Separator) {
            local[kA] = 1 + next1[kA];
            local[kB] = 1 + next1[kB];
            local[kC] = 1 + next1[kC];
        } else {
            const uint32_t inA = CostIn(kA, c);
            const uint32_t inB = CostIn(kB, c);
            local[kA] = inA + next1[kA];
            if (inB + 1 + next1[kA] < local[kA]) {
                local[kA] = inB + 1 + next1[kA];
                shifted[kA] = kShifted;
            }
            local[kB] = inB + next1[kB];
            if (inA + 1 + next1[kB] < local[kB]) {
                local[kB] = inA + 1 + next1[kB];
                shifted[kB] = kShifted;
            }
            local[kC] = k + 1 < n && IsDigit(c) && IsDigit(data[k + 1]) ? 1 + next2C : kNever;
        }
        next2C = next1[kC];
        for (uint8_t s = 0; s < 3; ++s) {
            uint32_t best = local[s];
            uint8_t choice = static_cast<uint8_t>(s | shifted[s]);
            for (Set t : kSwitchOrder) {
                if (t != s && 1 + local[t] < best) {
                    best = 1 + local[t];
                    choice = static_cast<uint8_t>(t | shifted[t]);
                }
            }
            next1[s] = best;
            choices[3 * k + s] = choice;
        }
    }
    return next1;
}

// The text's range: the first character above U+00FF (n when none), and
// whether every character is printable ASCII or, in GS1 data, a separator.
struct Survey {
    size_t firstWide;
    bool printable;
};

Survey SurveyText(std::u16string_view data, bool gs1) {
    // Without early exits, so that the compiler can vectorise the common
    // case; the first wide character is looked for only when there is one.
    bool wide = false, printable = true;
    for (const char16_t c : data) {
        wide |= c > 0xFF;
        printable &= (c >= 0x20 && c <= 0x7E) || (gs1 && c == kGs1Separator);
    }
    if (!wide) return {data.size(), printable};
    size_t k = 0;
    while (data[k] <= 0xFF) ++k;
    return {k, false};
}

// Printable ASCII (and FNC1 in GS1 data) is the common case. There code set
// B carries everything A does at the same cost, so A can never be strictly
// cheaper and the tie-break never picks it: planning with B and C alone gives
// the very plan PlanAnyText gives, at half the work.
std::array<uint32_t, 3> PlanPrintable(std::u16string_view data, bool gs1, uint8_t* choices) {
    const size_t n = data.size();
    uint32_t nextB = 0, nextC = 0, next2C = 0;
    bool nextIsDigit = false;
    for (size_t k = n; k-- > 0;) {
        const char16_t c = data[k];
        const bool isDigit = IsDigit(c);
        if (!isDigit && !(gs1 && c == kGs1Separator)) {
            // Code set B carries it; from C, a switch to B first.
            next2C = nextC;
            nextC = nextB + 2;
            nextB = nextB + 1;
            nextIsDigit = false;
            choices[3 * k + kB] = kB;
            choices[3 * k + kC] = kB;
            continue;
        }
        const uint32_t localB = 1 + nextB;
        const uint32_t localC = isDigit && nextIsDigit            ? 1 + next2C
                                : gs1 && c == kGs1Separator ? 1 + nextC
                                                            : kNever;
        nextIsDigit = isDigit;
        next2C = nextC;
        const bool toC = 1 + localC < localB;
        const bool toB = 1 + localB < localC;
        nextB = toC ? 1 + localC : localB;
        nextC = toB ? 1 + localB : localC;
        choices[3 * k + kB] = toC ? kC : kB;
        choices[3 * k + kC] = toB ? kB : kC;
    }
    return {kNever, nextB, nextC};
}

// The forward walk for PlanPrintable's choices: code sets B and C only.
void WalkPrintable(std::u16string_view data, bool gs1, const uint8_t* choices, Set set, uint8_t* out) {
    const size_t n = data.size();
    for (size_t k = 0; k < n;) {
        const auto target = static_cast<Set>(choices[3 * k + set]);
        if (target != set) {
            *out++ = kSwitchTo[target];
            set = target;
        }
        const char16_t c = data[k];
        if (gs1 && c == kGs1Separator) {
            *out++ = kFnc1;
            ++k;
        } else if (set == kC) {
            *out++ = static_cast<uint8_t>((c - u'0') * 10 + (data[k + 1] - u'0'));
            k += 2;
        } else {
            *out++ = static_cast<uint8_t>(c - 32);
            ++k;
        }
    }
}

// Printable text without FNC1: every character but a digit needs code set B,
// so the costs after a digit run differ between B and C by the one switch
// back (or not at all at the end), whatever follows. Each run can then be
// planned on its own with the same backward pass and the same tie-break as
// PlanPrintable, and the other characters need no planning at all.
// Returns the end of the values written at out (start included).
uint8_t* PlanPrintableRuns(std::u16string_view data, uint8_t* out) {
    const size_t n = data.size();
    ChoiceBuffer buffer(2 * n);
    uint8_t* const choices = buffer.data();  // per digit: from B, from C
    uint8_t* const start = out++;
    *start = kStartB;
    Set set = kB;
    for (size_t k = 0; k < n;) {
        if (!IsDigit(data[k])) {
            if (set == kC) {
                *out++ = kSwitchToB;
                set = kB;
            }
            *out++ = static_cast<uint8_t>(data[k++] - 32);
            continue;
        }
        size_t end = k;
        while (end < n && IsDigit(data[end])) ++end;
        uint32_t nextB = 0, nextC = end < n ? 1 : 0, next2C = 0;
        for (size_t j = end; j-- > k;) {
            const uint32_t localB = 1 + nextB;
            const uint32_t localC = j + 1 < end ? 1 + next2C : kNever;
            const bool toC = 1 + localC < localB;
            const bool toB = 1 + localB < localC;
            next2C = nextC;
            nextB = toC ? 1 + localC : localB;
            nextC = toB ? 1 + localB : localC;
            choices[2 * j] = toC ? kC : kB;
            choices[2 * j + 1] = toB ? kB : kC;
        }
        if (k == 0 && nextC < nextB) {
            *start = kStartC;
            set = kC;
        }
        while (k < end) {
            const auto target = static_cast<Set>(choices[2 * k + (set == kC)]);
            if (target != set) {
                *out++ = kSwitchTo[target];
                set = target;
            }
            if (set == kC) {
                *out++ = static_cast<uint8_t>((data[k] - u'0') * 10 + (data[k + 1] - u'0'));
                k += 2;
            } else {
                *out++ = static_cast<uint8_t>(data[k++] - 32);
            }
        }
    }
    return out;
}

}  // namespace

size_t PlanShortest(std::u16string_view data, DataMode mode, uint8_t* const values) {
    const size_t n = data.size();
    const bool gs1 = mode == DataMode::Gs1;
    const Survey survey = SurveyText(data, gs1);
    if (survey.firstWide < n) throw UnencodableCharacter(data, survey.firstWide);
    if (survey.printable && !gs1) {
        return static_cast<size_t>(PlanPrintableRuns(data, values) - values);
    }

    // Backwards: cost of encoding data[k..] when code set s is current at k,
    // and the choice that reaches it. Switching costs one symbol, so a switch
    // wins only when strictly cheaper; the order of the tests is the tie-break.
    ChoiceBuffer buffer(3 * n);
    uint8_t* const choices = buffer.data();
    const std::array<uint32_t, 3> cost =
        survey.printable ? PlanPrintable(data, gs1, choices) : PlanAnyText(data, gs1, choices);

    Set set = kSwitchOrder[0];
    for (Set s : kSwitchOrder) {
        if (cost[s] < cost[set]) set = s;
    }
    const size_t count = 1 + gs1 + cost[set];
    uint8_t* out = values;
    *out++ = kStart[set];
    if (gs1) *out++ = kFnc1;
    if (survey.printable) {
        WalkPrintable(data, gs1, choices, set, out);
        return count;
    }
    for (size_t k = 0; k < n;) {
        const uint8_t choice = choices[3 * k + set];
        const auto target = static_cast<Set>(choice & kSetMask);
        if (target != set) {
            *out++ = kSwitchTo[target];
            set = target;
        }
        const char16_t c = data[k];
        if (gs1 && c == kGs1Separator) {
            *out++ = kFnc1;
            ++k;
        } else if (set == kC) {
            *out++ = static_cast<uint8_t>((c - u'0') * 10 + (data[k + 1] - u'0'));
            k += 2;
        } else {
            if (c > 0x7F) *out++ = set == kA ? kFnc4A : kFnc4B;
            if (choice & kShifted) {
                *out++ = kShift;
                *out++ = ValueIn(set == kA ? kB : kA, c & 0x7Fu);
            } else {
                *out++ = ValueIn(set, c & 0x7Fu);
            }
            ++k;
        }
    }
    return count;
}

}  // namespace quillant
