#include "encoding/shortest_symbol.h"

#include <array>
#include <cstring>

#include "encoding/symbol_table.h"
#include "encoding/vb_error.h"
#include "encoding/vb_numbers.h"

namespace quillant {
namespace {

// A plan in a buffer of its thread, which only grows: encoding many texts
// allocates only the results.
struct PlanView {
    const uint8_t* values;
    size_t size;
    const uint8_t* begin() const { return values; }
    const uint8_t* end() const { return values + size; }
};

PlanView Plan(std::u16string_view data, DataMode mode) {
    thread_local std::vector<uint8_t> buffer;
    if (buffer.size() < MaxPlannedValues(data.size())) buffer.resize(MaxPlannedValues(data.size()));
    return {buffer.data(), PlanShortest(data, mode, buffer.data())};
}

int CheckValue(PlanView plan) {
    uint64_t sum = plan.values[0];
    for (size_t i = 1; i < plan.size; ++i) sum += static_cast<uint64_t>(plan.values[i]) * i;
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

}  // namespace

std::vector<int> ShortestSymbolValues(std::u16string_view data, DataMode mode) {
    const PlanView plan = Plan(data, mode);
    std::vector<int> values(plan.begin(), plan.end());
    values.push_back(CheckValue(plan));
    return values;
}

std::string ShortestPattern(std::u16string_view data, DataMode mode) {
    const PlanView plan = Plan(data, mode);
    std::string modules(kSymbolModules * (plan.size + 1) + kStopPattern.size(), '\0');
    WritePlan(plan, modules.data());
    return modules;
}

size_t MaxShortestPatternLength(size_t units) {
    // Start, FNC1, at most three symbols per character (FNC4, Shift or a
    // switch, the character), check.
    return kSymbolModules * (3 * units + 3) + kStopPattern.size();
}

char* WriteShortestPattern(std::u16string_view data, DataMode mode, char* out) {
    return WritePlan(Plan(data, mode), out);
}

int32_t ShortestModuleCount(std::u16string_view data, DataMode mode) {
    const int64_t symbols = static_cast<int64_t>(Plan(data, mode).size) + 1;
    const int64_t modules = kSymbolModules * symbols + static_cast<int64_t>(kStopPattern.size());
    if (!vb::FitsInt32(modules)) throw vb_errors::Overflow();
    return static_cast<int32_t>(modules);
}

int16_t ShortestBarWidth(std::u16string_view data, DataMode mode, int16_t elementWidth) {
    return vb::ToInt16(vb::Mul32(ShortestModuleCount(data, mode), elementWidth));
}

}  // namespace quillant
