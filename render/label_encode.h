#pragma once
// Quillant2's Encode and GetBarWidth: the symbol drawn on the target's dots
// (see label_geometry.h), the area blanked once and every bar one filled
// box, the caption beside the bars on the side the orientation turns it to.
//
// The module string and the caption come from the encoder the symbology
// chose; drawing does not depend on how they were made.

#include <cstdint>
#include <string>
#include <string_view>

#include "render/drawing_object.h"
#include "render/font_api.h"
#include "render/label_orientation.h"
#include "render/label_properties.h"
#include "render/platform.h"

namespace quillant::render {

// kEncodeSucceeded or the description of the error that stopped it; never
// throws. A coordinate overflow stops it before anything is drawn.
std::string EncodeLabel(const LabelProperties& properties, std::string_view modules, std::u16string_view caption,
                        DrawingObject* target, Platform platform);

// EncodeLabel's drawing, which throws the error that stops it.
void DrawLabel(const LabelProperties& properties, std::string_view modules, std::u16string_view caption,
               DrawingObject* target, Platform platform);

// The caption's size as EncodeLabel draws it, in the target's units: its
// length along the bars and how far it reaches beyond them (its height less
// the notch it is set into the bars by, the gap added). Sets the target's
// caption font; nothing for a caption that is not shown.
struct CaptionExtent {
    double length;
    double beyond;
};
CaptionExtent MeasureLabelCaption(DrawingObject& object, FontApi& fonts, const LabelProperties& properties,
                                  double moduleWidth, std::u16string_view caption);

// Whether the caption is beyond the bars' x2 or y2 edge (else x1 or y1).
bool CaptionOnHighSide(const LabelOrientation& turn, const CaptionStyle& caption);

// The length along the symbol Encode will cover, in the target's units,
// snapped when snapping applies (so it asks target, when there is one, for
// its dots), quiet zones included. Throws Overflow beyond 16 bits.
int16_t LabelBarWidth(const LabelProperties& properties, std::string_view modules, DrawingObject* target);

}  // namespace quillant::render
