#include "render/caption.h"

#include <cmath>
#include <string>

#include "render/caption_face.h"
#include "render/print_rotated.h"
#include "encoding/vb_numbers.h"

namespace quillant::render {
namespace {

// What the target reports for the caption in its caption font.
struct Measure {
    double width;
    double height;
    double indent() const { return height / kCaptionDivisor; }
};

Measure SetCaptionFont(DrawingObject& object, int16_t elementWidth, std::u16string_view text) {
    object.SetFontName(kCaptionFace);
    object.SetFontSize(elementWidth / kCaptionDivisor);
    object.SetFontBold(false);
    const double width = object.TextWidth(text);
    const double height = object.TextHeight(text);
    return {width, height};
}

// Offset from the symbol's start that centres the text along it; fractional,
// and negative for a caption longer than the symbol.
double CentringOffset(const BarcodeProperties& properties, int32_t modules, double textWidth) {
    return vb::Mul32(properties.elementWidth, modules) / 2.0 - textWidth / 2.0;
}

Color NotchColor(Target target) { return target.printer ? kWhite : target.object.BackColor(); }

void PrintHorizontal(Target target, const BarcodeProperties& p, std::u16string_view text, const Measure& m,
                     double offset) {
    DrawingObject& object = target.object;
    const int16_t w = p.elementWidth;
    object.SetCurrentX(p.xPosition + offset);
    const double cx = object.CurrentX();
    double top = vb::Add32(p.yPosition, p.barHeight);  // the bars' bottom edge
    if (p.indentedCode != 0) {
        const int16_t twoW = vb::Mul16(2, w);
        const double bottom = top;
        object.Line(LineStyle::kFilledBoxColor, cx - w, bottom - m.indent(), cx + m.width + twoW, bottom,
                    NotchColor(target));
        top -= m.indent();
    }
    // The notch moved the pen, so the start is computed again.
    object.SetCurrentX(p.xPosition + offset);
    object.SetCurrentY(top);
    object.Print(text);
}

void PrintVertical(Target target, Platform platform, const BarcodeProperties& p, std::u16string_view text,
                   const Measure& m, double offset) {
    DrawingObject& object = target.object;
    const int16_t w = p.elementWidth;
    object.SetCurrentY(p.yPosition + offset);
    const double cy = object.CurrentY();
    const int32_t edge = vb::Add32(p.xPosition, p.barHeight);  // the bars' right-hand edge
    double inset = 0;
    if (p.indentedCode != 0) {
        const int16_t twoW = vb::Mul16(2, w);
        object.Line(LineStyle::kFilledBoxColor, edge - m.indent(), cy - twoW, edge, cy + w + m.width,
                    NotchColor(target));
        inset = m.indent();
    }
    // The rotated text starts at its bottom end and runs upward; the span is
    // the centred one moved up by one module.
    object.SetCurrentX(vb::Add32(p.xPosition, p.barHeight) - inset);
    object.SetCurrentY((cy - w) + m.width);
    const double px = object.CurrentX();
    const double py = object.CurrentY();
    if (target.printer) {
        PrintRotated(target, platform, text, kVerticalCaptionAngle, px, py, vb::ToInt32(m.width),
                     vb::ToInt32(m.indent()));
    } else {
        PrintRotated(target, platform, text, kVerticalCaptionAngle, px, py, 0, 0);
    }
}

}  // namespace

void PrintCaption(Target target, Platform platform, const BarcodeProperties& properties, int32_t modules) {
    const std::u16string text = properties.encodeString;
    const Measure measure = SetCaptionFont(target.object, properties.elementWidth, text);
    target.object.SetFillColor(kWhite);
    const double offset = CentringOffset(properties, modules, measure.width);
    if (properties.orientation == bcHorizontal) {
        PrintHorizontal(target, properties, text, measure, offset);
    } else {
        PrintVertical(target, platform, properties, text, measure, offset);
    }
}

}  // namespace quillant::render
