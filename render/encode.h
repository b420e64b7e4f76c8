#pragma once
// Encode: draws the module string the component encoded for EncodeString
// on the drawing object, then the caption when VisibleCode is set. It never throws: the
// result is kEncodeSucceeded or the description of the error that stopped it.
// Whatever was drawn before an error stays drawn.

#include <string>
#include <string_view>

#include "render/barcode_properties.h"
#include "render/drawing_object.h"
#include "render/platform.h"

namespace quillant::render {

// The exact text hosts compare Encode's result against, spelling included.
constexpr const char* kEncodeSucceeded = "Sucess";

// modules is Quillant1's symbol for properties.encodeString
// (symbol_encoder.h). target may be null (no DeviceObject).
std::string Encode(const BarcodeProperties& properties, std::string_view modules, DrawingObject* target,
                   Platform platform);

}  // namespace quillant::render
