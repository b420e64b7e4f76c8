#include "render/label_encode.h"

#include <cmath>
#include <exception>
#include <new>

#include "render/caption_face.h"
#include "render/encode.h"
#include "render/label_geometry.h"
#include "render/scratch_surface.h"
#include "render/turned_caption.h"
#include "encoding/vb_error.h"
#include "encoding/vb_numbers.h"

namespace quillant::render {
namespace {

bool Draws(int32_t orientation) {
    return orientation == bcHorizontal || orientation == bcVertical || orientation == bcUpsideDown ||
           orientation == bcVerticalDown;
}

void SetCaptionFont(DrawingObject& object, double moduleWidth) {
    object.SetFontName(kCaptionFace);
    object.SetFontSize(moduleWidth / kCaptionDivisor);
    object.SetFontBold(false);
}

// How deep the caption is set into the bars.
double Indent(const LabelProperties& p, double textHeight) {
    return p.indentedCode != 0 ? textHeight / kCaptionDivisor : 0;
}

Color Ground(Target target) { return target.printer ? kWhite : target.object.BackColor(); }

void DrawBars(Target target, const LabelGeometry& geometry) {
    DrawingObject& object = target.object;
    object.SetDrawWidth(1);
    const Box& area = geometry.area;
    object.Line(LineStyle::kFilledBoxColor, area.x1, area.y1, area.x2, area.y2, Ground(target));
    for (const Box& bar : geometry.bars) object.Line(LineStyle::kFilledBoxColor, bar.x1, bar.y1, bar.x2, bar.y2, kBlack);
}

// Where the caption goes for one orientation: the text's start and the
// notch, from the bars' edge on the caption's side.
void PrintLabelCaption(Target target, Platform platform, const LabelProperties& p, const LabelGeometry& g,
                       std::u16string_view text) {
    DrawingObject& object = target.object;
    const double w = g.moduleWidth;
    SetCaptionFont(object, w);
    const double tw = object.TextWidth(text);
    const double th = object.TextHeight(text);
    const double indent = Indent(p, th);
    const Box& s = g.symbol;
    const double alongLength = (p.orientation == bcVertical || p.orientation == bcVerticalDown) ? s.y2 - s.y1 : s.x2 - s.x1;
    const double offset = (alongLength - tw) / 2;
    auto notch = [&](double x1, double y1, double x2, double y2) {
        if (indent > 0) object.Line(LineStyle::kFilledBoxColor, x1, y1, x2, y2, Ground(target));
    };
    const double thickness = indent > 0 ? indent * scratch::kPaintedThicknessFactor : th / kCaptionDivisor * scratch::kPaintedThicknessFactor;

    switch (p.orientation) {
        case bcUpsideDown: {  // above the bars, reading right to left
            const double start = s.x2 - offset;
            notch(start - tw - 2 * w, s.y1, start + w, s.y1 + indent);
            PrintTurned(target, platform, text, Turn::kUpsideDown, start, s.y1 + indent, tw, thickness);
            break;
        }
        case bcVertical: {  // right of the bars, reading upward
            const double start = s.y2 - offset;
            notch(s.x2 - indent, start - tw - 2 * w, s.x2, start + w);
            PrintTurned(target, platform, text, Turn::kUp, s.x2 - indent, start, tw, thickness);
            break;
        }
        case bcVerticalDown: {  // left of the bars, reading downward
            const double start = s.y1 + offset;
            notch(s.x1, start - w, s.x1 + indent, start + tw + 2 * w);
            PrintTurned(target, platform, text, Turn::kDown, s.x1 + indent, start, tw, thickness);
            break;
        }
        default: {  // below the bars
            const double start = s.x1 + offset;
            notch(start - w, s.y2 - indent, start + tw + 2 * w, s.y2);
            object.SetCurrentX(start);
            object.SetCurrentY(s.y2 - indent);
            object.Print(text);
            break;
        }
    }
}

}  // namespace

void DrawLabel(const LabelProperties& p, std::string_view modules, std::u16string_view caption, DrawingObject* object,
               Platform platform) {
    if (!Draws(p.orientation)) throw vb_errors::InvalidCall();
    if (!object) throw vb_errors::ObjectNotSet();
    const Target target{*object, object->IsPrinter()};
    const LabelGeometry geometry = LayOut(p, modules, LearnDotSize(object, p));
    DrawBars(target, geometry);
    if (p.visibleCode != 0) PrintLabelCaption(target, platform, p, geometry, caption);
}

CaptionExtent MeasureLabelCaption(DrawingObject& object, const LabelProperties& properties, double moduleWidth,
                                  std::u16string_view caption) {
    SetCaptionFont(object, moduleWidth);
    const double height = object.TextHeight(caption);
    return CaptionExtent{object.TextWidth(caption), height - Indent(properties, height)};
}

std::string EncodeLabel(const LabelProperties& properties, std::string_view modules, std::u16string_view caption,
                        DrawingObject* target, Platform platform) {
    try {
        DrawLabel(properties, modules, caption, target, platform);
        return kEncodeSucceeded;
    } catch (const VbError& error) {
        return error.description();
    } catch (const std::bad_alloc&) {
        return vb_errors::TextOf(vb_errors::kOutOfMemory);
    } catch (const std::exception&) {
        return "Internal error";
    }
}

int16_t LabelBarWidth(const LabelProperties& properties, std::string_view modules, DrawingObject* target) {
    return vb::ToInt16(LayOut(properties, modules, LearnDotSize(target, properties)).length);
}

}  // namespace quillant::render
