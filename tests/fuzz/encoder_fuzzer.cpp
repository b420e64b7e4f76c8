// Arbitrary UTF-16 text through the encoders. The seed encoder either refuses
// it with error 5 or 6 or yields a well-formed symbol whose check character is
// right; the shortest encoder's symbol reads back as the text, is never
// longer than the one without the latch, or it names the first character
// above U+00FF.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "encoding/symbol_encoder.h"
#include "encoding/symbol_table.h"
#include "encoding/unencodable_character.h"
#include "encoding/vb_error.h"
#include "tools/grading/code128_text.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckShortest(const std::u16string& text) {
    size_t firstWide = 0;
    while (firstWide < text.size() && text[firstWide] <= 0xFF) ++firstWide;
    try {
        const auto reading = quillant::grading::ReadModules(quillant::ModulePattern(text, quillant::Encoding::Full));
        Check(firstWide == text.size());
        Check(reading.has_value() && !reading->gs1 && reading->text == text);
        Check(quillant::ModuleCount(text, quillant::Encoding::Full) <=
              quillant::ModuleCount(text, quillant::Encoding::FullWithoutLatch));
    } catch (const quillant::VbError& e) {
        Check(firstWide < text.size());
        Check(e.description() == quillant::UnencodableCharacter(text, firstWide).description());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
    CheckShortest(text);

    std::string modules;
    std::vector<int> values;
    try {
        modules = quillant::ModulePattern(text, quillant::Encoding::Quillant1);
        values = quillant::SymbolValues(text, quillant::Encoding::Quillant1);
    } catch (const quillant::VbError& e) {
        Check(e.number() == 5 || e.number() == 6);
        return 0;
    }
    const size_t m = values.size() - 2;  // between start and check
    Check(modules.size() == 11 * (m + 2) + 13);
    Check(static_cast<size_t>(quillant::ModuleCount(text, quillant::Encoding::Quillant1)) == modules.size());
    Check(values.front() == quillant::kStartB || values.front() == quillant::kStartC);
    Check(modules.compare(0, 11, quillant::kSymbolRows[values.front()].pattern) == 0);
    Check(modules.size() >= 13 && modules.compare(modules.size() - 13, 13, "1100011101011") == 0);

    uint64_t sum = values.front();
    for (size_t w = 1; w <= m; ++w) sum += static_cast<uint64_t>(values[w]) * w;
    Check(values.back() == static_cast<int>(sum % 103));
    for (size_t i = 0; i < values.size(); ++i) {
        Check(modules.compare(11 * i, 11, quillant::kSymbolRows[values[i]].pattern) == 0);
    }
    return 0;
}
