#include "component/label_text.h"

#include "encoding/gs1_element_string.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"
#include "render/caption_runs.h"

namespace quillant::component {

LabelText EncodeLabelText(const LabelProperties& p) {
    switch (p.symbology) {
        case bcGS1_128: {
            const Gs1Message message = ParseGs1(p.encodeString);
            return {ModulePattern(message.data, Encoding::Gs1), message.caption,
                    SymbolValues(message.data, Encoding::Gs1)};
        }
        case bcCode128:
            return {ModulePattern(p.encodeString, Encoding::Full), render::PrintableCaption(p.encodeString),
                    SymbolValues(p.encodeString, Encoding::Full)};
        default:
            throw vb_errors::WithText(vb_errors::kInvalidPropertyValue);
    }
}

}  // namespace quillant::component
