#include "render/symbol_drawing.h"

#include "render/module_drawing.h"
#include "encoding/vb_numbers.h"

namespace quillant::render {
namespace {

// The renderer never adds ElementWidth itself: each module's last Line leaves
// the pen at its far corner, which is where the next module starts. Only the
// coordinate across the symbol is put back after every module.

void DrawHorizontal(Target target, const BarcodeProperties& p, std::string_view modules) {
    DrawingObject& object = target.object;
    object.SetCurrentX(p.xPosition);
    object.SetCurrentY(vb::Sub32(p.yPosition, p.barHeight));
    for (const char module : modules) {
        const double penX = object.CurrentX();
        const double penY = object.CurrentY();
        const int16_t y = vb::ToInt16(penY + p.barHeight);
        const int16_t x = vb::ToInt16(penX);
        if (module == '1') {
            DrawBarModule(target, x, y, p.barHeight, p.elementWidth);
        } else {
            DrawSpaceModule(target, x, y, p.barHeight, p.elementWidth);
        }
        object.SetCurrentY(vb::Sub32(p.yPosition, p.barHeight));
    }
}

void DrawVertical(Target target, const BarcodeProperties& p, std::string_view modules) {
    DrawingObject& object = target.object;
    object.SetCurrentX(vb::Sub32(p.xPosition, p.barHeight));
    object.SetCurrentY(p.yPosition);
    // The last module goes at the top, so the symbol reads upward.
    for (auto module = modules.rbegin(); module != modules.rend(); ++module) {
        const double penX = object.CurrentX();
        const double penY = object.CurrentY();
        const int16_t y = vb::ToInt16(penY);
        const int16_t x = vb::ToInt16(penX + p.barHeight);
        if (*module == '1') {
            DrawBarModule(target, x, y, p.elementWidth, p.barHeight);
        } else {
            DrawSpaceModule(target, x, y, p.elementWidth, p.barHeight);
        }
        object.SetCurrentX(vb::Sub32(p.xPosition, p.barHeight));
    }
}

}  // namespace

void DrawSymbol(Target target, const BarcodeProperties& properties, std::string_view modules) {
    if (properties.orientation == bcHorizontal) {
        DrawHorizontal(target, properties, modules);
    } else {
        DrawVertical(target, properties, modules);
    }
}

}  // namespace quillant::render
