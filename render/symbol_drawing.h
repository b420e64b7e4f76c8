#pragma once
// The bars: every module of the module string, one rectangle each, left to
// right for bcHorizontal, bottom to top for bcVertical (the horizontal symbol
// turned 90 degrees counter-clockwise).

#include <string_view>

#include "render/barcode_properties.h"
#include "render/drawing_object.h"

namespace quillant::render {

// The orientation must be bcHorizontal or bcVertical. Leaves the pen at the
// far end of the symbol: (X + N * W, Y - H) horizontally, (X - H, Y + N * W)
// vertically.
void DrawSymbol(Target target, const BarcodeProperties& properties, std::string_view modules);

}  // namespace quillant::render
