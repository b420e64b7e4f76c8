#include "component/image_rendering.h"

#include <objbase.h>
#include <olectl.h>

#include <memory>
#include <optional>
#include <string>

#include "component/label_text.h"
#include "encoding/vb_error.h"
#include "forms/metafile_surface.h"
#include "forms/picture_surface.h"
#include "forms/surface_drawing_object.h"
#include "render/image_frame.h"
#include "render/label_encode.h"
#include "render/label_geometry.h"
#include "render/pixel_rows.h"
#include "render/png_file.h"
#include "render/svg_drawing.h"
#include "adapters/gdi_font_api.h"
#include "win32/com_ptr.h"

namespace quillant::component {
namespace {

// Images are never drawn on a printer, so no turned caption goes through a
// scratch form.
class NoScratchForm final : public render::ScratchForm {
public:
    render::ScratchPicture& Picture1() override { throw vb_errors::InvalidCall(); }
};

struct ResolvedColours {
    render::Color fore;
    std::optional<render::Color> ground;  // none: transparent
};

render::Color Resolved(uint32_t colour, const char* property) {
    COLORREF rgb = 0;
    if (!IsOleColour(colour) || FAILED(OleTranslateColor(colour, nullptr, &rgb))) {
        throw vb_errors::WithDetail(vb_errors::kInvalidPropertyValue, std::string(property) + " is not a colour");
    }
    return rgb;
}

ResolvedColours Resolve(const ImageColours& colours, ImageFormat format) {
    ResolvedColours resolved{Resolved(colours.fore, "ForeColor"), std::nullopt};
    if (colours.back != kTransparent) {
        resolved.ground = Resolved(colours.back, "BackColor");
    } else if (format != ImageFormat::kPng && format != ImageFormat::kSvg && format != ImageFormat::kEmf) {
        throw vb_errors::WithDetail(vb_errors::kInvalidPropertyValue,
                                    "a transparent BackColor (-1) is for \"png\", \"svg\" and \"emf\" only");
    }
    return resolved;
}

// The text, the caption measured on the canvas's font and where it all goes.
struct ImagePlan {
    LabelText text;
    render::ImageFrame frame;
};

ImagePlan Plan(const LabelProperties& properties, int32_t dpi, render::DrawingObject& measure) {
    ImagePlan plan{EncodeLabelText(properties), {}};
    const render::LabelGeometry layout = render::ImageLayout(properties, plan.text.modules, dpi);
    render::CaptionExtent caption{0, 0};
    if (properties.visibleCode != 0) {
        render::win32::GdiFontApi gdi;
        caption = render::MeasureLabelCaption(measure, gdi, render::ImageProperties(properties, dpi),
                                              layout.moduleWidth, plan.text.caption);
    }
    plan.frame = render::FrameImage(properties, layout, dpi, caption);
    return plan;
}

void Draw(const ImagePlan& plan, render::DrawingObject& target, render::FontApi& fonts) {
    NoScratchForm none;
    render::DrawLabel(plan.frame.properties, plan.text.modules, plan.text.caption, &target,
                      render::Platform{fonts, none});
}

// PNG at the least depth its pixels need.
std::vector<uint8_t> PngBytes(const render::PixelRows& rows, const ResolvedColours& colours, int32_t dpi,
                              render::PngBuffers& buffers) {
    if (colours.ground) {
        const render::RowSurvey survey = render::SurveyRows(rows, render::PixelDepth::kBlackWhite);
        return render::PngFile(rows, survey.depth, dpi, survey.repeatsAbove, &buffers);
    }
    std::vector<uint8_t> alpha = render::CoverageAlpha(rows, colours.fore);
    const render::PixelRows coverage{alpha.data(), rows.width, rows.height, static_cast<size_t>(rows.width) * 4};
    return render::PngFile(coverage, render::PixelDepth::kColourAlpha, dpi, &buffers);
}

std::vector<uint8_t> RasterBytes(const LabelProperties& properties, ImageFormat format, int32_t dpi,
                                 const ResolvedColours& colours, KeptCanvas& canvas) {
    // Measured on the kept canvas, then drawn on it at the image's size:
    // one DC and one set of fonts, on the kept memory.
    KeptCanvas::Lease kept = canvas.Take(dpi);
    forms::PictureSurface& surface = *kept.surface;
    forms::SurfaceDrawingObject object(surface, dpi);
    const ImagePlan plan = Plan(properties, dpi, object);
    surface.Reframe(plan.frame.width, plan.frame.height);
    render::win32::GdiFontApi gdi;
    forms::SurfaceFontApi fonts(gdi, surface, dpi);
    // Black on white first: the caption's smoothed edges are then a
    // coverage that any colours, or a transparent ground, are mixed from.
    Draw(plan, object, fonts);

    // The canvas is this call's alone: its pixels are tinted where they lie,
    // and the rows it shows as the row above are left unwritten.
    forms::RasterImage& image = surface.Pixels();
    const render::PixelRows rows{image.WrittenBits(), image.Width(), image.Height(),
                                 static_cast<size_t>(image.Stride()), image.RowsAsAbove().data()};
    if (colours.ground) render::Tint(rows, colours.fore, *colours.ground);
    std::vector<uint8_t> bytes;
    switch (format) {
        case ImageFormat::kBmp: bytes = render::BmpFile(rows, dpi); break;
        case ImageFormat::kDib: bytes = render::PackedDib(rows, dpi); break;
        default: bytes = PngBytes(rows, colours, dpi, *kept.png); break;
    }
    canvas.Give(std::move(kept));
    return bytes;
}

std::vector<uint8_t> SvgBytes(const LabelProperties& properties, int32_t dpi, const ResolvedColours& colours) {
    forms::PictureSurface measuring(dpi, 1, 1);
    forms::SurfaceDrawingObject measure(measuring, dpi);
    const ImagePlan plan = Plan(properties, dpi, measure);
    render::win32::GdiFontApi gdi;
    render::SvgDrawing svg(measure, measure, gdi, dpi, plan.frame.width, plan.frame.height, colours.fore, colours.ground);
    Draw(plan, svg, svg);
    const std::string document = svg.Document();
    return std::vector<uint8_t>(document.begin(), document.end());
}

win32::EnhMetaFile Metafile(const LabelProperties& properties, int32_t dpi, const ResolvedColours& colours) {
    forms::PictureSurface measuring(dpi, 1, 1);
    forms::SurfaceDrawingObject measure(measuring, dpi);
    const ImagePlan plan = Plan(properties, dpi, measure);
    forms::MetafileSurface surface(dpi, plan.frame.width, plan.frame.height);
    forms::SurfaceDrawingObject object(surface, dpi);
    object.DrawIn(colours.fore, colours.ground);
    if (colours.ground) {
        const double dot = plan.frame.twipsPerPixel;
        object.Line(render::LineStyle::kFilledBoxColor, 0, 0, (plan.frame.width - 1) * dot,
                    (plan.frame.height - 1) * dot, *colours.ground);
    }
    render::win32::GdiFontApi gdi;
    forms::SurfaceFontApi fonts(gdi, surface, dpi);
    Draw(plan, object, fonts);
    win32::EnhMetaFile recording = surface.Finish();
    if (!recording) throw vb_errors::WithText(vb_errors::kCannotCreateImage);
    return recording;
}

std::vector<uint8_t> MetafileBytes(const win32::EnhMetaFile& recording) {
    const UINT size = GetEnhMetaFileBits(recording.Get(), 0, nullptr);
    std::vector<uint8_t> bytes(size);
    if (size == 0 || GetEnhMetaFileBits(recording.Get(), size, bytes.data()) != size) {
        throw vb_errors::WithText(vb_errors::kCannotCreateImage);
    }
    return bytes;
}

}  // namespace

std::vector<uint8_t> RenderImage(const LabelProperties& properties, ImageFormat format, int32_t dpi,
                                 const ImageColours& colours, KeptCanvas& canvas) {
    const ResolvedColours resolved = Resolve(colours, format);
    switch (format) {
        case ImageFormat::kSvg: return SvgBytes(properties, dpi, resolved);
        case ImageFormat::kEmf: return MetafileBytes(Metafile(properties, dpi, resolved));
        default: return RasterBytes(properties, format, dpi, resolved, canvas);
    }
}

win32::EnhMetaFile RenderMetafile(const LabelProperties& properties, int32_t dpi, const ImageColours& colours) {
    return Metafile(properties, dpi, Resolve(colours, ImageFormat::kEmf));
}

}  // namespace quillant::component
