#include "render/image_frame.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "encoding/vb_error.h"
#include "render/label_geometry.h"
#include "render/label_orientation.h"

namespace quillant::render {
namespace {

int32_t WholePixels(double pixels) {
    const double whole = std::ceil(pixels - 1e-6);
    if (!(whole >= 0 && whole < std::numeric_limits<int32_t>::max())) throw vb_errors::Overflow();
    return static_cast<int32_t>(whole);
}

}  // namespace

LabelProperties ImageProperties(const LabelProperties& properties, int32_t dpi) {
    LabelProperties image = properties;
    image.xPosition = 0;
    image.yPosition = 0;
    image.quietZones = -1;
    image.snapToDevice = -1;
    image.deviceResolution = dpi;
    return image;
}

LabelGeometry ImageLayout(const LabelProperties& properties, std::string_view modules, int32_t dpi) {
    const double dot = kTwipsPerInch / dpi;
    return LayOut(ImageProperties(properties, dpi), modules, DotSize{dot, dot});
}

ImageFrame FrameImage(const LabelProperties& properties, std::string_view modules, int32_t dpi,
                      CaptionExtent caption) {
    return FrameImage(properties, ImageLayout(properties, modules, dpi), dpi, caption);
}

ImageFrame FrameImage(const LabelProperties& properties, const LabelGeometry& geometry, int32_t dpi,
                      CaptionExtent caption) {
    ImageFrame frame{ImageProperties(properties, dpi), 0, 0, kTwipsPerInch / dpi};
    const double dot = frame.twipsPerPixel;
    // Both corners of the area are pixels it covers.
    const int32_t areaWidth = WholePixels((geometry.area.x2 - geometry.area.x1) / dot + 1);
    const int32_t areaHeight = WholePixels((geometry.area.y2 - geometry.area.y1) / dot + 1);

    const bool captioned = properties.visibleCode != 0 && properties.caption.position != bcCaptionNone;
    const int32_t beyond = captioned ? WholePixels(std::max(0.0, caption.beyond) / dot) : 0;
    // The caption's notch reaches a module past the text on either side.
    const double captionLength = captioned ? caption.length / dot + 2 * geometry.moduleWidth / dot : 0;
    const LabelOrientation* turn = FindLabelOrientation(properties.orientation);
    const LabelOrientation& row = turn ? *turn : kLabelOrientations[0];
    const bool along = !row.runsDown;
    const int32_t symbolLength = along ? areaWidth : areaHeight;
    const int32_t overhang = std::max(0, WholePixels(captionLength) - symbolLength);
    const int32_t before = overhang / 2;
    // Room for the caption before the symbol when it is on the low side.
    const int32_t across = CaptionOnHighSide(row, properties.caption) ? 0 : beyond;
    const int32_t x = along ? before : across;
    const int32_t y = along ? across : before;
    frame.width = along ? areaWidth + overhang : areaWidth + beyond;
    frame.height = along ? areaHeight + beyond : areaHeight + overhang;
    // A pixel of at least a twip comes back from whole twips as itself.
    frame.properties.xPosition = static_cast<int32_t>(std::lround(x * dot));
    frame.properties.yPosition = static_cast<int32_t>(std::lround(y * dot));
    return frame;
}

}  // namespace quillant::render
