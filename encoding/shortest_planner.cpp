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

// A state is a code set and whether extended mode is latched: set + 3 * latched.
constexpr int kStates = 6;
constexpr int SetOf(int state) { return state % 3; }
constexpr int LatchOf(int state) { return state / 3; }

// Symbols from one state to another before a character: a switch costs one;
// toggling the latch is two FNC4 in code set A or B, after a switch to one of
// them when in C (and back when C is wanted).
constexpr uint32_t Transition(int from, int to) {
    const int s = SetOf(from), t = SetOf(to);
    if (LatchOf(from) == LatchOf(to)) return s != t;
    if (s != kC) return 2 + (s != t);
    return t == kC ? 4 : 3;
}

constexpr std::array<std::array<uint32_t, kStates>, kStates> MakeTransitions() {
    std::array<std::array<uint32_t, kStates>, kStates> table{};
    for (int from = 0; from < kStates; ++from) {
        for (int to = 0; to < kStates; ++to) {
            table[static_cast<size_t>(from)][static_cast<size_t>(to)] = Transition(from, to);
        }
    }
    return table;
}
constexpr auto kTransitions = MakeTransitions();

// The states tried from each state, in tie-break order: switches in the same
// latch first, then toggling the latch where the set is, then elsewhere.
struct TargetOrder {
    int count = 0;
    int targets[kStates - 1] = {};
};
constexpr std::array<TargetOrder, kStates> MakeTargetOrders() {
    std::array<TargetOrder, kStates> orders{};
    for (int from = 0; from < kStates; ++from) {
        TargetOrder& order = orders[static_cast<size_t>(from)];
        const int e = LatchOf(from);
        for (int f : {e, 1 - e}) {
            const int sets[] = {SetOf(from), kB, kC, kA};
            for (int t : sets) {
                const int to = t + 3 * f;
                bool listed = to == from;
                for (int i = 0; i < order.count; ++i) listed = listed || order.targets[i] == to;
                if (!listed) order.targets[order.count++] = to;
            }
        }
    }
    return orders;
}
constexpr std::array<TargetOrder, kStates> kTargetOrders = MakeTargetOrders();
constexpr int kSameLatchTargets = 2;  // the first two of each order keep the latch

// A choice for (position, state): the state the character goes out in
// (switches and latch toggles first when it differs) and whether it goes out
// shifted from there.
constexpr uint8_t kStateMask = 7;
constexpr uint8_t kShifted = 8;

uint8_t ValueIn(int set, unsigned base) {
    return static_cast<uint8_t>(set == kA && base < 0x20 ? base + 64 : base - 32);
}

constexpr uint8_t kSwitchTo[] = {kSwitchToA, kSwitchToB, kSwitchToC};
constexpr uint8_t kStart[] = {kStartA, kStartB, kStartC};
constexpr uint8_t kFnc4In[] = {kFnc4A, kFnc4B};

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
    std::array<uint8_t, kStates * 64> small_;
    std::vector<uint8_t> large_;
    uint8_t* data_ = small_.data();
};

// Fills choices for any text of U+0000..U+00FF; returns the costs at 0.
std::array<uint32_t, kStates> PlanAnyText(std::u16string_view data, bool gs1, bool latch, uint8_t* choices) {
    const size_t n = data.size();
    const int tried = latch ? kStates - 1 : kSameLatchTargets;
    std::array<uint32_t, kStates> next1{};  // cost at k + 1
    uint32_t next2C[2] = {0, 0};            // code set C's cost at k + 2, per latch
    for (size_t k = n; k-- > 0;) {
        const char16_t c = data[k];
        uint32_t local[kStates];  // the character in this state, no switch first
        uint8_t shifted[kStates] = {};
        if (gs1 && c == kGs1Separator) {
            for (int st = 0; st < kStates; ++st) local[st] = 1 + next1[static_cast<size_t>(st)];
        } else {
            const unsigned base = c & 0x7Fu;
            const bool pair = k + 1 < n && IsDigit(c) && IsDigit(data[k + 1]);
            for (int e = 0; e < 2; ++e) {
                const uint32_t fnc4 = static_cast<uint32_t>(c >> 7) != static_cast<uint32_t>(e);
                const uint32_t inA = base < 0x60 ? 1 + fnc4 : kNever;
                const uint32_t inB = base >= 0x20 ? 1 + fnc4 : kNever;
                const int a = kA + 3 * e, b = kB + 3 * e;
                local[a] = inA + next1[static_cast<size_t>(a)];
                if (inB + 1 + next1[static_cast<size_t>(a)] < local[a]) {
                    local[a] = inB + 1 + next1[static_cast<size_t>(a)];
                    shifted[a] = kShifted;
                }
                local[b] = inB + next1[static_cast<size_t>(b)];
                if (inA + 1 + next1[static_cast<size_t>(b)] < local[b]) {
                    local[b] = inA + 1 + next1[static_cast<size_t>(b)];
                    shifted[b] = kShifted;
                }
                local[kC + 3 * e] = pair ? 1 + next2C[e] : kNever;
            }
        }
        next2C[0] = next1[kC];
        next2C[1] = next1[kC + 3];
        for (int st = 0; st < kStates; ++st) {
            uint32_t best = local[st];
            uint8_t choice = static_cast<uint8_t>(st | shifted[st]);
            const TargetOrder& order = kTargetOrders[static_cast<size_t>(st)];
            for (int i = 0; i < tried; ++i) {
                const int to = order.targets[i];
                const uint32_t cost = kTransitions[static_cast<size_t>(st)][static_cast<size_t>(to)] + local[to];
                if (cost < best) {
                    best = cost;
                    choice = static_cast<uint8_t>(to | shifted[to]);
                }
            }
            next1[static_cast<size_t>(st)] = best;
            choices[kStates * k + static_cast<size_t>(st)] = choice;
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
std::array<uint32_t, kStates> PlanPrintable(std::u16string_view data, bool gs1, uint8_t* choices) {
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
            choices[kStates * k + kB] = kB;
            choices[kStates * k + kC] = kB;
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
        choices[kStates * k + kB] = toC ? kC : kB;
        choices[kStates * k + kC] = toB ? kB : kC;
    }
    return {kNever, nextB, nextC, kNever, kNever, kNever};
}

// The forward walk from the start's state along the choices, for both
// backward passes. Returns the end of the values written at out. (A copy
// for printable plans, switching between B and C only, was measured no
// faster: BM_ShortestPatternGs1 47-51 ms with this walk, 47-49 ms with the
// copy, in one run.)
uint8_t* Walk(std::u16string_view data, bool gs1, const uint8_t* choices, int state, uint8_t* out) {
    const size_t n = data.size();
    for (size_t k = 0; k < n;) {
        const uint8_t choice = choices[kStates * k + static_cast<size_t>(state)];
        const int target = choice & kStateMask;
        int set = SetOf(state);
        if (target != state) {
            if (LatchOf(target) != LatchOf(state)) {
                if (set == kC) {
                    set = SetOf(target) == kC ? kB : SetOf(target);
                    *out++ = kSwitchTo[set];
                }
                *out++ = kFnc4In[set == kB];
                *out++ = kFnc4In[set == kB];
            }
            if (SetOf(target) != set) *out++ = kSwitchTo[SetOf(target)];
            state = target;
            set = SetOf(target);
        }
        const char16_t c = data[k];
        if (gs1 && c == kGs1Separator) {
            *out++ = kFnc1;
            ++k;
        } else if (set == kC) {
            *out++ = static_cast<uint8_t>((c - u'0') * 10 + (data[k + 1] - u'0'));
            k += 2;
        } else {
            if (static_cast<int>(c >> 7) != LatchOf(state)) *out++ = kFnc4In[set == kB];
            if (choice & kShifted) {
                *out++ = kShift;
                *out++ = ValueIn(set == kA ? kB : kA, c & 0x7Fu);
            } else {
                *out++ = ValueIn(set, c & 0x7Fu);
            }
            ++k;
        }
    }
    return out;
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

size_t PlanShortest(std::u16string_view data, Encoding encoding, uint8_t* const values) {
    const size_t n = data.size();
    const bool gs1 = encoding == Encoding::Gs1;
    const Survey survey = SurveyText(data, gs1);
    if (survey.firstWide < n) throw UnencodableCharacter(data, survey.firstWide);
    if (survey.printable && !gs1) {
        return static_cast<size_t>(PlanPrintableRuns(data, values) - values);
    }

    // Backwards: cost of encoding data[k..] from each state at k, and the
    // choice that reaches it. Switching costs, so a switch wins only when
    // strictly cheaper; the order of the tests is the tie-break.
    ChoiceBuffer buffer(kStates * n);
    uint8_t* const choices = buffer.data();
    const std::array<uint32_t, kStates> cost =
        survey.printable ? PlanPrintable(data, gs1, choices)
                         : PlanAnyText(data, gs1, encoding == Encoding::Full, choices);

    Set set = kSwitchOrder[0];  // every symbol starts unlatched
    for (Set s : kSwitchOrder) {
        if (cost[s] < cost[set]) set = s;
    }
    uint8_t* out = values;
    *out++ = kStart[set];
    if (gs1) *out++ = kFnc1;
    return static_cast<size_t>(Walk(data, gs1, choices, set, out) - values);
}

}  // namespace quillant
