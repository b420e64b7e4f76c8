#include "encoding/symbol_encoder.h"

#include <array>
#include <cstring>
#include <memory>

#include "encoding/code_set_planner.h"
#include "encoding/shortest_planner.h"
#include "encoding/symbol_table.h"
#include "encoding/vb_error.h"
#include "encoding/vb_numbers.h"

namespace quillant {
namespace {

size_t MaxValues(size_t units, Encoding encoding) {
    return encoding == Encoding::Quillant1 ? MaxQuillant1Values(units) : MaxPlannedValues(units);
}

// A plan's values: on the caller's stack for the texts labels carry, on
// the heap beyond. Not a buffer kept per thread: under mingw a thread_local
// object's destructor runs after its thread's storage is freed, so a kept
// vector handed the heap a stale pointer whenever a thread that had encoded
// ended.
class PlanBuffer {
public:
    uint8_t* Room(size_t values) {
        if (values <= onStack_.size()) return onStack_.data();
        onHeap_.reset(new uint8_t[values]);  // not cleared: the planner writes what it reads
        return onHeap_.get();
    }

private:
    std::array<uint8_t, 256> onStack_;
    std::unique_ptr<uint8_t[]> onHeap_;
};

struct PlanView {
    const uint8_t* values;
    size_t size;
    const uint8_t* begin() const { return values; }
    const uint8_t* end() const { return values + size; }
};

PlanView Plan(std::u16string_view text, Encoding encoding, PlanBuffer& buffer) {
    uint8_t* const values = buffer.Room(MaxValues(text.size(), encoding));
    const size_t size = encoding == Encoding::Quillant1 ? PlanQuillant1(text, values)
                                                        : PlanShortest(text, encoding, values);
    return {values, size};
}

// The weight runs modulo 103 too, so the sum cannot overflow for any text a
// process can hold.
int CheckValue(PlanView plan) {
    uint64_t sum = plan.values[0];
    uint64_t weight = 1;
    for (size_t i = 1; i < plan.size; ++i) {
        sum += plan.values[i] * weight;
        weight = weight + 1 == kCheckModulus ? 0 : weight + 1;
    }
    return static_cast<int>(sum % kCheckModulus);
}

// The 11-module patterns padded to 16 bytes, so that each symbol is one
// 16-byte copy. The 5 bytes of padding land where the next symbol or the
// 13-module stop pattern is written next.
using PaddedPattern = std::array<char, 16>;
const std::array<PaddedPattern, kSymbolCount>& PaddedPatterns() {
    static const auto patterns = [] {
        std::array<PaddedPattern, kSymbolCount> table{};
        for (size_t v = 0; v < table.size(); ++v) std::memcpy(table[v].data(), kSymbolRows[v].pattern.data(), kSymbolModules);
        return table;
    }();
    return patterns;
}

// Modules of a plan, its check character and the stop pattern.
char* WritePlan(PlanView plan, char* out) {
    static_assert(kStopPattern.size() >= sizeof(PaddedPattern) - kSymbolModules);
    const auto& patterns = PaddedPatterns();
    auto put = [&out, &patterns](int value) {
        std::memcpy(out, patterns[static_cast<size_t>(value)].data(), sizeof(PaddedPattern));
        out += kSymbolModules;
    };
    for (uint8_t value : plan) put(value);
    put(CheckValue(plan));
    std::memcpy(out, kStopPattern.data(), kStopPattern.size());
    return out + kStopPattern.size();
}

std::vector<int> ValuesOf(PlanView plan) {
    std::vector<int> values(plan.begin(), plan.end());
    values.push_back(CheckValue(plan));
    return values;
}

std::string ModulesOf(PlanView plan) {
    std::string modules(kSymbolModules * (plan.size + 1) + kStopPattern.size(), '\0');
    WritePlan(plan, modules.data());
    return modules;
}

}  // namespace

std::vector<int> SymbolValues(std::u16string_view text, Encoding encoding) {
    PlanBuffer buffer;
    return ValuesOf(Plan(text, encoding, buffer));
}

std::string ModulePattern(std::u16string_view text, Encoding encoding) {
    PlanBuffer buffer;
    return ModulesOf(Plan(text, encoding, buffer));
}

EncodedSymbol EncodeSymbol(std::u16string_view text, Encoding encoding) {
    PlanBuffer buffer;
    const PlanView plan = Plan(text, encoding, buffer);
    return {ValuesOf(plan), ModulesOf(plan)};
}

size_t MaxPatternLength(size_t units, Encoding encoding) {
    return kSymbolModules * (MaxValues(units, encoding) + 1) + kStopPattern.size();
}

char* WritePattern(std::u16string_view text, Encoding encoding, char* out) {
    PlanBuffer buffer;
    return WritePlan(Plan(text, encoding, buffer), out);
}

int32_t ModuleCount(std::u16string_view text, Encoding encoding) {
    PlanBuffer buffer;
    const int64_t symbols = static_cast<int64_t>(Plan(text, encoding, buffer).size) + 1;
    const int64_t modules = kSymbolModules * symbols + static_cast<int64_t>(kStopPattern.size());
    if (!vb::FitsInt32(modules)) throw vb_errors::Overflow();
    return static_cast<int32_t>(modules);
}

int16_t BarWidth(std::u16string_view text, Encoding encoding, int16_t elementWidth) {
    return vb::ToInt16(vb::Mul32(ModuleCount(text, encoding), elementWidth));
}

}  // namespace quillant
