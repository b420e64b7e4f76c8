#include "render/label_encode.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "render/caption_face.h"
#include "render/encode.h"
#include "render/label_geometry.h"
#include "render/label_orientation.h"
#include "render/scratch_surface.h"
#include "render/turned_caption.h"
#include "encoding/vb_error.h"
#include "encoding/vb_numbers.h"

namespace quillant::render {
namespace {

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
// notch, from the bars' edge on the caption's side. Along the symbol the text
// is centred and runs the way the symbol reads; across it, it starts at the
// notch's depth inside the bars' edge.
void PrintLabelCaption(Target target, Platform platform, const LabelProperties& p, const LabelOrientation& turn,
                       const LabelGeometry& g, std::u16string_view text) {
    DrawingObject& object = target.object;
    const double w = g.moduleWidth;
    SetCaptionFont(object, w);
    const double tw = object.TextWidth(text);
    const double th = object.TextHeight(text);
    const double indent = Indent(p, th);
    const Box& s = g.symbol;
    const double thickness = indent > 0 ? indent * scratch::kPaintedThicknessFactor : th / kCaptionDivisor * scratch::kPaintedThicknessFactor;

    // Along: the reading direction's sign, and where the text starts.
    const double low = turn.runsDown ? s.y1 : s.x1;
    const double high = turn.runsDown ? s.y2 : s.x2;
    const double sign = turn.readsBack ? -1 : 1;
    const double start = (turn.readsBack ? high : low) + sign * ((high - low - tw) / 2);
    // Across: the caption's edge of the bars, and inward from it.
    const double edge = turn.captionOnHighSide ? (turn.runsDown ? s.x2 : s.y2) : (turn.runsDown ? s.x1 : s.y1);
    const double inward = turn.captionOnHighSide ? -1 : 1;
    const double across = edge + inward * indent;

    if (indent > 0) {
        // From a module before the text to two after it, down to the text's top.
        const double from = start - sign * w, to = start + sign * tw + sign * 2 * w;
        const double alongLow = std::min(from, to), alongHigh = std::max(from, to);
        const double acrossLow = std::min(edge, across), acrossHigh = std::max(edge, across);
        if (turn.runsDown) {
            object.Line(LineStyle::kFilledBoxColor, acrossLow, alongLow, acrossHigh, alongHigh, Ground(target));
        } else {
            object.Line(LineStyle::kFilledBoxColor, alongLow, acrossLow, alongHigh, acrossHigh, Ground(target));
        }
    }
    const double x = turn.runsDown ? across : start, y = turn.runsDown ? start : across;
    if (turn.turn) {
        PrintTurned(target, platform, text, *turn.turn, x, y, tw, thickness);
    } else {
        object.SetCurrentX(x);
        object.SetCurrentY(y);
        object.Print(text);
    }
}

}  // namespace

void DrawLabel(const LabelProperties& p, std::string_view modules, std::u16string_view caption, DrawingObject* object,
               Platform platform) {
    const LabelOrientation* turn = FindLabelOrientation(p.orientation);
    if (!turn) throw vb_errors::InvalidCall();
    if (!object) throw vb_errors::ObjectNotSet();
    const Target target{*object, object->IsPrinter()};
    const LabelGeometry geometry = LayOut(p, modules, LearnDotSize(object, p));
    DrawBars(target, geometry);
    if (p.visibleCode != 0) PrintLabelCaption(target, platform, p, *turn, geometry, caption);
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
    } catch (...) {
        return vb_errors::CurrentError().description();
    }
}

int16_t LabelBarWidth(const LabelProperties& properties, std::string_view modules, DrawingObject* target) {
    return vb::ToInt16(LayOut(properties, modules, LearnDotSize(target, properties)).length);
}

}  // namespace quillant::render
