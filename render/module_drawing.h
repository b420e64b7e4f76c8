#pragma once
// One module of the symbol: a filled rectangle from (x, y) to
// (x + width, y + height), drawn through the target's Line. Note the argument
// order, height before width; the vertical symbol swaps the two.

#include <cstdint>

#include "render/drawing_object.h"

namespace quillant::render {

// In black.
void DrawBarModule(Target target, int16_t x, int16_t y, int16_t height, int16_t width);

// In the background: white on a printer, otherwise the object's BackColor as
// read for this module.
void DrawSpaceModule(Target target, int16_t x, int16_t y, int16_t height, int16_t width);

}  // namespace quillant::render
