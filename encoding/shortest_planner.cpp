#include "encoding/shortest_planner.h"

#include <array>

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
    uint8_t& operator[](size_t i) { return data_[i]; }

private:
    std::array<uint8_t, 3 * 64> small_;
    std::vector<uint8_t> large_;
    uint8_t* data_ = small_.data();
};

}  // namespace

void PlanShortest(std::u16string_view data, DataMode mode, std::vector<uint8_t>& values) {
    const size_t n = data.size();
    for (size_t k = 0; k < n; ++k) {
        if (data[k] > 0xFF) throw UnencodableCharacter(data, k);
    }
    const bool gs1 = mode == DataMode::Gs1;

    // Backwards: cost of encoding data[k..] when code set s is current at k.
    ChoiceBuffer choices(3 * n);
    std::array<uint32_t, 3> next1{};  // at k + 1
    std::array<uint32_t, 3> next2{};  // at k + 2
    for (size_t k = n; k-- > 0;) {
        const char16_t c = data[k];
        std::array<uint32_t, 3> local;  // without switching first
        std::array<uint8_t, 3> shifted{};
        if (gs1 && c == kGs1Separator) {
            for (int s = 0; s < 3; ++s) local[s] = 1 + next1[s];
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
            local[kC] = k + 1 < n && IsDigit(c) && IsDigit(data[k + 1]) ? 1 + next2[kC] : kNever;
        }
        std::array<uint32_t, 3> cost;
        for (uint8_t s = 0; s < 3; ++s) {
            uint32_t best = local[s];
            uint8_t target = s;
            for (Set t : kSwitchOrder) {
                if (t != s && 1 + local[t] < best) {
                    best = 1 + local[t];
                    target = t;
                }
            }
            cost[s] = best;
            choices[3 * k + s] = static_cast<uint8_t>(target | shifted[target]);
        }
        next2 = next1;
        next1 = cost;
    }

    Set set = kSwitchOrder[0];
    for (Set s : kSwitchOrder) {
        if (next1[s] < next1[set]) set = s;
    }
    values.clear();
    values.reserve(next1[set] + 2);
    values.push_back(kStart[set]);
    if (gs1) values.push_back(kFnc1);
    for (size_t k = 0; k < n;) {
        const uint8_t choice = choices[3 * k + set];
        const auto target = static_cast<Set>(choice & kSetMask);
        if (target != set) {
            values.push_back(kSwitchTo[target]);
            set = target;
        }
        const char16_t c = data[k];
        if (gs1 && c == kGs1Separator) {
            values.push_back(kFnc1);
            ++k;
        } else if (set == kC) {
            values.push_back(static_cast<uint8_t>((c - u'0') * 10 + (data[k + 1] - u'0')));
            k += 2;
        } else {
            if (c > 0x7F) values.push_back(set == kA ? kFnc4A : kFnc4B);
            if (choice & kShifted) {
                values.push_back(kShift);
                values.push_back(ValueIn(set == kA ? kB : kA, c & 0x7Fu));
            } else {
                values.push_back(ValueIn(set, c & 0x7Fu));
            }
            ++k;
        }
    }
}

}  // namespace quillant
