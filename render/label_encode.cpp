#include "render/label_encode.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "render/caption_face.h"
#include "render/caption_runs.h"
#include "render/encode.h"
#include "render/label_geometry.h"
#include "render/label_orientation.h"
#include "render/scratch_surface.h"
#include "render/turned_caption.h"
#include "encoding/vb_error.h"
#include "encoding/vb_numbers.h"

namespace quillant::render {
namespace {

// How deep the caption is set into the bars.
double Indent(const LabelProperties& p, double textHeight) {
    return p.indentedCode != 0 ? textHeight / kCaptionDivisor : 0;
}

// From the bars' edge out to the caption's near edge; a notch sets the
// caption into the bars instead, and the gap gives way to it.
double Clearance(const LabelProperties& p, double textHeight) {
    const double indent = Indent(p, textHeight);
    return indent > 0 ? -indent : p.caption.gap;
}

bool Captioned(const LabelProperties& p) { return p.visibleCode != 0 && p.caption.position != bcCaptionNone; }

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
// is centred and runs the way the symbol reads; across it, its top edge is
// where the orientation's row puts it below the bars, or its foot is there
// above them. Each run of the text follows the one before in its own face.
void PrintLabelCaption(Target target, Platform platform, const LabelProperties& p, const LabelOrientation& turn,
                       const LabelGeometry& g, std::u16string_view text) {
    DrawingObject& object = target.object;
    const double w = g.moduleWidth;
    const CaptionLayout layout = LayOutCaption(object, platform.fonts, p.caption, w, text);
    const double tw = layout.width;
    const double th = layout.height;
    const double indent = Indent(p, th);
    const Box& s = g.symbol;
    const double thickness = indent > 0 ? indent * scratch::kPaintedThicknessFactor : th / kCaptionDivisor * scratch::kPaintedThicknessFactor;

    // Along: the reading direction's sign, and where the text starts.
    const double low = turn.runsDown ? s.y1 : s.x1;
    const double high = turn.runsDown ? s.y2 : s.x2;
    const double sign = turn.readsBack ? -1 : 1;
    const double start = (turn.readsBack ? high : low) + sign * ((high - low - tw) / 2);
    // Across: the caption's edge of the bars, outward from it, and the text's
    // top edge (toward the bars below them, away from them above).
    const bool above = p.caption.position == bcCaptionAbove;
    const bool onHigh = CaptionOnHighSide(turn, p.caption);
    const double edge = onHigh ? (turn.runsDown ? s.x2 : s.y2) : (turn.runsDown ? s.x1 : s.y1);
    const double outward = onHigh ? 1 : -1;
    const double across = edge + outward * (Clearance(p, th) + (above ? th : 0));

    if (indent > 0) {
        // From a module before the text to two after it, down into the bars
        // by the notch's depth.
        const double from = start - sign * w, to = start + sign * tw + sign * 2 * w;
        const double floor = edge - outward * indent;
        const double alongLow = std::min(from, to), alongHigh = std::max(from, to);
        const double acrossLow = std::min(edge, floor), acrossHigh = std::max(edge, floor);
        if (turn.runsDown) {
            object.Line(LineStyle::kFilledBoxColor, acrossLow, alongLow, acrossHigh, alongHigh, Ground(target));
        } else {
            object.Line(LineStyle::kFilledBoxColor, alongLow, acrossLow, alongHigh, acrossHigh, Ground(target));
        }
    }
    const double points = CaptionPoints(p.caption, w);
    // LayOutCaption leaves the fallback set when it measured any run in it.
    bool fallbackSet = layout.runs.size() > 1 || (!layout.runs.empty() && layout.runs.front().fallback);
    double along = start;
    for (const CaptionRun& run : layout.runs) {
        if (run.fallback != fallbackSet) {
            SetCaptionFace(object, p.caption, points, run.fallback);
            fallbackSet = run.fallback;
        }
        // The run's drop is toward the foot of its letters, which the turn points.
        const double foot = turn.turn == Turn::kDown || turn.turn == Turn::kUpsideDown ? -run.drop : run.drop;
        const double x = turn.runsDown ? across + foot : along, y = turn.runsDown ? along : across + foot;
        if (turn.turn) {
            const std::u16string_view face = run.fallback ? kFallbackCaptionFace : std::u16string_view(p.caption.face);
            PrintTurned(target, platform, face, run.text, *turn.turn, x, y, run.width, thickness);
        } else {
            object.SetCurrentX(x);
            object.SetCurrentY(y);
            object.Print(run.text);
        }
        along += sign * run.width;
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
    if (Captioned(p)) PrintLabelCaption(target, platform, p, *turn, geometry, caption);
}

bool CaptionOnHighSide(const LabelOrientation& turn, const CaptionStyle& caption) {
    return caption.position == bcCaptionAbove ? !turn.captionOnHighSide : turn.captionOnHighSide;
}

CaptionExtent MeasureLabelCaption(DrawingObject& object, FontApi& fonts, const LabelProperties& properties,
                                  double moduleWidth, std::u16string_view caption) {
    if (!Captioned(properties)) return CaptionExtent{0, 0};
    const CaptionLayout layout = LayOutCaption(object, fonts, properties.caption, moduleWidth, caption);
    return CaptionExtent{layout.width, layout.height + Clearance(properties, layout.height)};
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
