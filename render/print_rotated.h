#pragma once
// Text turned by an angle on the drawing object, starting at (x, y). On a
// printer it is drawn on the scratch picture and that picture is painted onto
// the page, stretched to length along the text and 1.75 * thickness across it.
// length and thickness are used only there.

#include <cstdint>
#include <string_view>

#include "render/drawing_object.h"
#include "render/platform.h"

namespace quillant::render {

// The angle of a vertical caption: 90 degrees counter-clockwise, in tenths.
constexpr int16_t kVerticalCaptionAngle = 900;

void PrintRotated(Target target, Platform platform, std::u16string_view text, int16_t angle, double x, double y,
                  int32_t length, int32_t thickness);

}  // namespace quillant::render
