#include "encoding/pattern_builder.h"

#include <cstring>

#include "encoding/code_set_planner.h"
#include "encoding/symbol_table.h"
#include "encoding/unencodable_character.h"
#include "encoding/vb_error.h"
#include "encoding/vb_numbers.h"

namespace quillant {
namespace {

// Turns planner events into symbol values and keeps the check sum. The sum and
// the weight are reduced modulo 103 as they grow, so no text is too long for
// the check character.
template <class Output>
class SymbolSequencer {
public:
    SymbolSequencer(std::u16string_view text, Output& out) : text_(text), out_(out) {}

    void Start(CodeSet set) {
        const int value = set == CodeSet::B ? kStartB : kStartC;
        sum_ = value % kCheckModulus;
        out_.Put(value);
    }
    void Data(size_t pos) {
        const auto value = SymbolTable::FindB(text_[pos]);
        if (!value) throw UnencodableCharacter(text_, pos);
        Put(*value);
    }
    void Pair(size_t pos) { Put(*SymbolTable::FindC(text_[pos], text_[pos + 1])); }
    void SwitchToC() { Put(kSwitchToC); }
    void SwitchToB() { Put(kSwitchToB); }

    void Finish() { out_.Put(sum_); }

private:
    void Put(int value) {
        sum_ = (sum_ + value * weight_) % kCheckModulus;
        weight_ = (weight_ + 1) % kCheckModulus;
        out_.Put(value);
    }

    std::u16string_view text_;
    Output& out_;
    int sum_ = 0;
    int weight_ = 1;
};

template <class Output>
void Sequence(std::u16string_view text, Output& out) {
    SymbolSequencer<Output> sequencer(text, out);
    PlanCodeSets(text, sequencer);
    sequencer.Finish();
}

struct ValueList {
    std::vector<int> values;
    void Put(int value) { values.push_back(value); }
};

// Writes into storage sized beforehand, so each symbol is one fixed-size copy.
struct PatternWriter {
    char* out;
    void Put(int value) {
        std::memcpy(out, kSymbolRows[static_cast<size_t>(value)].pattern.data(), kSymbolModules);
        out += kSymbolModules;
    }
};

struct SymbolCounter {
    int64_t symbols = 0;
    void Put(int) { ++symbols; }
};

}  // namespace

std::vector<int> SymbolValues(std::u16string_view text) {
    ValueList list;
    Sequence(text, list);
    return std::move(list.values);
}

std::string BuildPattern(std::u16string_view text) {
    std::string modules(MaxPatternLength(text.size()), '\0');
    modules.resize(static_cast<size_t>(WritePattern(text, modules.data()) - modules.data()));
    return modules;
}

size_t MaxPatternLength(size_t units) {
    // At most four symbols per three characters (a lone run of three digits
    // costs a switch, a pair, a switch back and a character), plus start and
    // check.
    const size_t maxSymbols = units / 3 * 4 + units % 3 * 2 + 2;
    return kSymbolModules * maxSymbols + kStopPattern.size();
}

char* WritePattern(std::u16string_view text, char* out) {
    PatternWriter writer{out};
    Sequence(text, writer);
    std::memcpy(writer.out, kStopPattern.data(), kStopPattern.size());
    return writer.out + kStopPattern.size();
}

int32_t CountModules(std::u16string_view text) {
    SymbolCounter counter;
    Sequence(text, counter);
    const int64_t modules = kSymbolModules * counter.symbols + static_cast<int64_t>(kStopPattern.size());
    if (!vb::FitsInt32(modules)) throw vb_errors::Overflow();
    return static_cast<int32_t>(modules);
}

int16_t BarWidth(std::u16string_view text, int16_t elementWidth) {
    const int32_t width = vb::Mul32(CountModules(text), elementWidth);
    return vb::ToInt16(width);
}

}  // namespace quillant
