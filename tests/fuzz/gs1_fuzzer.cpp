// Arbitrary text as GS1 element strings. ParseGs1 either refuses it with
// error 5 or gives data that fits one symbol, reads back as GS1-128 with the
// same data, parses again from its own caption, and agrees with the label
// check about what the symbol alone lacks.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "encoding/gs1_element_string.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"
#include "tools/grading/code128_text.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One byte per character keeps the fuzzer near the ASCII that element
    // strings are made of, while still reaching the Latin-1 they refuse.
    const std::u16string text(data, data + size);
    const std::string label = quillant::CheckGs1Label({text});
    quillant::Gs1Message message;
    try {
        message = quillant::ParseGs1(text);
    } catch (const quillant::VbError& e) {
        Check(e.number() == 5);
        Check(!label.empty());
        return 0;
    }
    Check(!message.data.empty() && message.data.size() <= 48);
    Check(label.empty() == message.missing.empty());

    const auto reading = quillant::grading::ReadModules(quillant::ModulePattern(message.data, quillant::Encoding::Gs1));
    Check(reading.has_value() && reading->gs1 && reading->text == message.data);

    if (message.caption.find(u'(', 1) == std::u16string::npos || message.data.find(u'(') == std::u16string::npos) {
        const quillant::Gs1Message again = quillant::ParseGs1(message.caption);
        Check(again.data == message.data && again.caption == message.caption);
    }
    return 0;
}
