#include "render/module_drawing.h"

#include "encoding/vb_numbers.h"

namespace quillant::render {
namespace {

// Both routines end in a filled box whose far corner is where the target
// leaves its pen; that is what advances the drawing to the next module.
void DrawModule(Target target, Color color, int16_t x, int16_t y, int16_t height, int16_t width) {
    DrawingObject& object = target.object;
    object.SetForeColor(color);
    object.SetDrawWidth(1);
    if (target.printer) {
        // Printers get the edges as four zero-thickness boxes rather than an
        // outline. Each far edge is summed just before the box that needs it,
        // so an overflow of y + height comes after the top edge is drawn.
        const int16_t right = vb::Add16(x, width);
        object.Line(LineStyle::kFilledBox, x, y, right, y, kNoColor);
        const int16_t bottom = vb::Add16(y, height);
        object.Line(LineStyle::kFilledBox, x, y, x, bottom, kNoColor);
        object.Line(LineStyle::kFilledBox, right, y, right, bottom, kNoColor);
        object.Line(LineStyle::kFilledBox, x, bottom, right, bottom, kNoColor);
    } else {
        object.Line(LineStyle::kBoxOutline, x, y, vb::Add16(x, width), vb::Add16(y, height), kNoColor);
    }
    object.Line(LineStyle::kFilledBox, x, y, vb::Add16(x, width), vb::Add16(y, height), kNoColor);
}

}  // namespace

void DrawBarModule(Target target, int16_t x, int16_t y, int16_t height, int16_t width) {
    DrawModule(target, kBlack, x, y, height, width);
}

void DrawSpaceModule(Target target, int16_t x, int16_t y, int16_t height, int16_t width) {
    const Color background = target.printer ? kWhite : target.object.BackColor();
    DrawModule(target, background, x, y, height, width);
}

}  // namespace quillant::render
