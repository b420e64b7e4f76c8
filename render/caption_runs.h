#pragma once
// Quillant2's caption as runs of text, each in the face that has its glyphs:
// the chosen face where it has them, the fallback face (full Latin-1) where
// it has not. Control characters (below U+0020, U+007F to U+009F) are left
// out, a space in the place of each: no face has a glyph for them, and a
// line end would break the caption in two.
// Every run is measured in the face it is drawn in, so the caption's width,
// and so its centring, is the width of what is inked.

#include <string>
#include <string_view>
#include <vector>

#include "render/drawing_object.h"
#include "render/font_api.h"
#include "render/label_properties.h"

namespace quillant::render {

// Has a glyph for every Latin-1 character on Debian (fonts-dejavu-core) and
// on Windows.
constexpr std::u16string_view kFallbackCaptionFace = u"DejaVu Sans Mono";

// The caption with a space for each character no face draws.
std::u16string PrintableCaption(std::u16string_view text);

struct CaptionRun {
    std::u16string text;
    bool fallback;
    double width;  // in the target's units, in the run's own face
    // How far below the chosen face's cell this run's cell starts, so that
    // both share a baseline (the faces' ascents differ).
    double drop;
};

struct CaptionLayout {
    std::vector<CaptionRun> runs;
    double width = 0;   // the runs' widths added up
    double height = 0;  // the chosen face's line height
};

// The caption's point size: the chosen one, or today's, from the module width.
double CaptionPoints(const CaptionStyle& style, double moduleWidth);

// Puts the caption's font (the chosen face or the fallback, at the caption's
// size, bold and italic as chosen) on object.
void SetCaptionFace(DrawingObject& object, const CaptionStyle& style, double points, bool fallback);

// Splits text into runs by the glyphs of the chosen face, as the font
// selected into the object's hdc reports them, and measures each. Leaves the
// chosen face set when the caption has one run in it.
CaptionLayout LayOutCaption(DrawingObject& object, FontApi& fonts, const CaptionStyle& style, double moduleWidth,
                            std::u16string_view text);

}  // namespace quillant::render
