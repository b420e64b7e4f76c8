#pragma once
// A caption turned by 90, 180 or 270 degrees, for Quillant2's four
// orientations. On a picture box it is printed with a turned font selected
// into the object's own DC; on a printer it is printed on the scratch
// picture, whose picture is then painted onto the page, as the printer's own
// DC never takes a turned font.
//
// (x, y) is where the text starts, its top edge on the bars' side; the text
// runs from there in the direction of the angle. length is the text's width
// on the target and thickness the painted size across it (printers only).

#include <cstdint>
#include <string_view>

#include "render/drawing_object.h"
#include "render/platform.h"

namespace quillant::render {

// Tenths of a degree, counter-clockwise, as GDI's escapement.
enum class Turn : int16_t { kUp = 900, kUpsideDown = 1800, kDown = 2700 };

// face is the printer's scratch font, the face the target has set.
void PrintTurned(Target target, Platform platform, std::u16string_view face, std::u16string_view text, Turn turn,
                 double x, double y, double length, double thickness);

}  // namespace quillant::render
