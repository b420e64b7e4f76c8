#pragma once
// Whether every integer the bars (and the caption's unmeasured sums) will need
// fits its width, worked out before anything is drawn. A symbol that would
// overflow half way is refused whole instead of being left half drawn.
//
// The prediction assumes a target that leaves its pen at the far corner of
// each Line. One that moves it elsewhere can still overflow mid-way.

#include <cstdint>

#include "render/barcode_properties.h"

namespace quillant::render {

// Throws Overflow. The orientation must be bcHorizontal or bcVertical; modules
// is the length of the module string.
void CheckCoordinatesFit(const BarcodeProperties& properties, int32_t modules);

}  // namespace quillant::render
