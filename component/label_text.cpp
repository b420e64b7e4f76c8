#include "component/label_text.h"

#include <utility>

#include "encoding/gs1_element_string.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"
#include "render/caption_runs.h"

namespace quillant::component {

namespace {

LabelText Encoded(EncodedSymbol symbol, std::u16string caption) {
    return {std::move(symbol.modules), std::move(caption), std::move(symbol.values)};
}

}  // namespace

LabelText EncodeLabelText(const LabelProperties& p) {
    switch (p.symbology) {
        case bcGS1_128: {
            Gs1Message message = ParseGs1(p.encodeString);
            return Encoded(EncodeSymbol(message.data, Encoding::Gs1), std::move(message.caption));
        }
        case bcCode128:
            return Encoded(EncodeSymbol(p.encodeString, Encoding::Full), render::PrintableCaption(p.encodeString));
        default:
            throw vb_errors::WithText(vb_errors::kInvalidPropertyValue);
    }
}

}  // namespace quillant::component
