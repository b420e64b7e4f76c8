#include "component/label_text.h"

#include "encoding/gs1_element_string.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"

namespace quillant::component {
namespace {

// Control characters have no glyph: the caption shows a space for each.
std::u16string Printable(std::u16string_view text) {
    std::u16string caption(text);
    for (char16_t& c : caption) {
        if (c < u' ' || c == u'\x7F') c = u' ';
    }
    return caption;
}

}  // namespace

LabelText EncodeLabelText(const LabelProperties& p) {
    switch (p.symbology) {
        case bcGS1_128: {
            const Gs1Message message = ParseGs1(p.encodeString);
            return {ModulePattern(message.data, Encoding::Gs1), message.caption,
                    SymbolValues(message.data, Encoding::Gs1)};
        }
        case bcCode128:
            return {ModulePattern(p.encodeString, Encoding::Full), Printable(p.encodeString),
                    SymbolValues(p.encodeString, Encoding::Full)};
        default:
            throw vb_errors::WithText(vb_errors::kInvalidPropertyValue);
    }
}

}  // namespace quillant::component
