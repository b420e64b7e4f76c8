#pragma once
// Where Quillant2 puts a symbol: every bar a box, with the symbol's origin,
// its module width and its bar height on the device's dots when they are
// known, so that every module is a whole number of dots.
//
// The layout is worked out in a frame of the symbol's own (along: the reading
// direction; across: the bar height) and turned into the target's
// coordinates for the orientation. Boxes are given as Line takes them, both
// corners inclusive: on a snapped grid the far corner is the last dot of the
// box, not the first dot after it.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "render/drawing_object.h"
#include "render/label_properties.h"

namespace quillant::render {

// The size of one device dot in the target's scale units, across and down.
struct DotSize {
    double x;
    double y;
};

// The dot size to snap to, or none (draw unsnapped): none when SnapToDevice
// is off; DeviceResolution when set, converted from twips through the target's ScaleX/ScaleY when it has
// them, else the target's own pixel through ScaleX(1, vbPixels).
// Without an object, a given resolution's dot is taken in twips.
std::optional<DotSize> LearnDotSize(DrawingObject* object, const LabelProperties& properties);

struct Box {
    double x1, y1, x2, y2;
};

struct LabelGeometry {
    // The symbol with its quiet zones (when on): blanked once.
    Box area;
    // Each bar (a run of dark modules) as one filled box.
    std::vector<Box> bars;
    // The bars' extent without quiet zones, as edges (x1 < x2, y1 < y2, the
    // far edges one past the last dot): the caption is laid out against it.
    Box symbol;
    // One module as drawn, in target units along the symbol.
    double moduleWidth;
    // What GetBarWidth reports: the length along the symbol, quiet zones
    // included, in target units.
    double length;
};

// Throws Overflow when a coordinate leaves the 32-bit range.
LabelGeometry LayOut(const LabelProperties& properties, std::string_view modules, std::optional<DotSize> dots);

}  // namespace quillant::render
