#pragma once
// Encode: builds the module string of EncodeString, draws it on the drawing
// object, then the caption when VisibleCode is set. It never throws: the
// result is kEncodeSucceeded or the description of the error that stopped it.
// Whatever was drawn before an error stays drawn.

#include <string>

#include "render/barcode_properties.h"
#include "render/drawing_object.h"
#include "render/platform.h"

namespace quillant::render {

// The exact text hosts compare Encode's result against, spelling included.
constexpr const char* kEncodeSucceeded = "Sucess";

// modulePattern is replaced by the new module string as soon as it is built,
// and kept when drawing fails; it is left alone when the text cannot be
// encoded. target may be null (no DeviceObject).
std::string Encode(const BarcodeProperties& properties, DrawingObject* target, Platform platform,
                   std::string& modulePattern);

}  // namespace quillant::render
