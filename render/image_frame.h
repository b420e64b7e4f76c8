#pragma once
// Where a symbol goes in an image of its own (ImageBytes, SaveImage,
// Picture): every module a whole number of the image's pixels, the 10-module
// quiet zones always in (the image's edge is otherwise the symbol's edge),
// and room for the caption on the side the orientation turns it to. The
// symbol is drawn by the same layout and caption as Encode, with positions
// in twips at the image's resolution.

#include <cstdint>
#include <string_view>

#include "render/label_encode.h"
#include "render/label_geometry.h"
#include "render/label_properties.h"

namespace quillant::render {

// The resolutions an image may have, dots per inch. Up to 1200 a pixel is
// at least a twip, so a pixel position survives the trip through whole twips.
namespace image_limits {
constexpr int32_t kDefaultResolution = 300;
constexpr int32_t kLowestResolution = 72;
constexpr int32_t kHighestResolution = 1200;
}  // namespace image_limits

constexpr double kTwipsPerInch = 1440;

// The properties the symbol is drawn with for an image at dpi: snapped to its
// pixels, quiet zones on, no position of its own yet.
LabelProperties ImageProperties(const LabelProperties& properties, int32_t dpi);

struct ImageFrame {
    // ImageProperties, placed where the symbol goes in the image.
    LabelProperties properties;
    int32_t width;   // pixels
    int32_t height;  // pixels
    double twipsPerPixel;
};

// caption is the caption's extent in twips (MeasureLabelCaption on a target
// in twips at dpi); ignored when the caption is not shown. Throws Overflow
// for a symbol too large for 32-bit pixel sizes.
ImageFrame FrameImage(const LabelProperties& properties, std::string_view modules, int32_t dpi,
                      CaptionExtent caption);

// The layout of ImageProperties(properties, dpi) on the image's pixels, before
// it is placed: the caption is measured against its module, and the frame
// sized from it, so that a symbol is laid out once for both.
LabelGeometry ImageLayout(const LabelProperties& properties, std::string_view modules, int32_t dpi);
ImageFrame FrameImage(const LabelProperties& properties, const LabelGeometry& layout, int32_t dpi,
                      CaptionExtent caption);

}  // namespace quillant::render
