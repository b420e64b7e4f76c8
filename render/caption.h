#pragma once
// The human-readable caption after the bars: EncodeString in the caption face,
// centred along the symbol, under a horizontal symbol or turned beside a
// vertical one. With IndentedCode a notch is blanked out of the bars and the
// text moved into it.

#include <cstdint>

#include "render/barcode_properties.h"
#include "render/drawing_object.h"
#include "render/platform.h"

namespace quillant::render {

// modules is the length of the module string just drawn. The orientation must
// be bcHorizontal or bcVertical.
void PrintCaption(Target target, Platform platform, const BarcodeProperties& properties, int32_t modules);

}  // namespace quillant::render
