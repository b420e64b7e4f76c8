#include "encode_operation.h"

#include "pattern_builder.h"
#include "text_conversion.h"
#include "vb_error.h"

namespace quillant::component {

// Builds the module string only; drawing on the device is the renderer's job
// and is wired in here when it exists.
std::u16string EncodeOnDevice(const BarcodeProperties& properties, IDispatch* /*device*/,
                              std::string& modulePattern) {
    try {
        modulePattern = BuildPattern(properties.encodeString);
    } catch (const VbError& error) {
        return Utf16FromUtf8(error.description());
    }
    return kEncodeSucceeded;
}

}  // namespace quillant::component
