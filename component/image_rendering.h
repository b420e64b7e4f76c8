#pragma once
// Quillant2's images: the symbol its properties give, drawn by the label
// renderer (the same bars and caption as Encode) on a canvas of its own at
// a resolution (render/image_frame.h). No drawing object, window or printer
// takes part, and nothing is shared but the object's kept canvas, which one
// call at a time holds: any thread may make images at once.

#include <cstdint>
#include <vector>

#include "component/image_formats.h"
#include "component/kept_canvas.h"
#include "render/label_properties.h"
#include "win32/enh_meta_file.h"

namespace quillant::component {

// The image's bytes in the format. Raises the encoder's errors (5, 6, 380),
// 380 for colours that cannot be drawn (a transparent ground beyond PNG and
// SVG), 5 for an orientation that does not exist and 480 for an image too
// large to make. Raster images are drawn on the canvas's memory when it is
// free, and leave theirs to it.
std::vector<uint8_t> RenderImage(const LabelProperties& properties, ImageFormat format, int32_t dpi,
                                 const ImageColours& colours, KeptCanvas& canvas);

// The image as an enhanced metafile, its frame the symbol's size at dpi.
win32::EnhMetaFile RenderMetafile(const LabelProperties& properties, int32_t dpi, const ImageColours& colours);

}  // namespace quillant::component
