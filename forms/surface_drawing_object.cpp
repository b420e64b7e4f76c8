#include "forms/surface_drawing_object.h"

#include <cstdint>

#include "encoding/vb_error.h"

namespace quillant::forms {

void SurfaceDrawingObject::DrawIn(render::Color fore, std::optional<render::Color> ground) {
    recoloured_ = true;
    fore_ = fore;
    ground_ = ground;
    surface_.SetForeColor(static_cast<int32_t>(fore));
}

void SurfaceDrawingObject::Line(render::LineStyle style, double x1, double y1, double x2, double y2,
                                render::Color color) {
    if (recoloured_) {
        if (color != render::kBlack && !ground_) return;
        color = color == render::kBlack ? fore_ : *ground_;
    }
    surface_.Line(static_cast<int32_t>(style), x1, y1, x2, y2, static_cast<int32_t>(color));
}

render::Color SurfaceDrawingObject::BackColor() {
    return recoloured_ ? ground_.value_or(render::kWhite) : static_cast<render::Color>(surface_.BackColor());
}

std::u16string SurfaceDrawingObject::FontName() {
    const std::wstring& face = surface_.FontName();
    return std::u16string(face.begin(), face.end());
}

void SurfaceDrawingObject::SetFontName(std::u16string_view name) { surface_.SetFontName(Wide(name)); }

// A handle as the object's hDC reports it: a 32-bit integer. The renderer
// selects and measures fonts on it and draws through the members.
render::DeviceContext SurfaceDrawingObject::Hdc() {
    return static_cast<render::DeviceContext>(reinterpret_cast<intptr_t>(surface_.FontDc()));
}

void SurfaceDrawingObject::PaintPicture(const render::Picture&, double, double, double, double) {
    throw vb_errors::InvalidCall();
}

std::optional<double> SurfaceDrawingObject::ScaleX(double length, int16_t fromScale) {
    return surface_.ScaleLength(Axis::kX, length, fromScale, std::nullopt);
}

std::optional<double> SurfaceDrawingObject::ScaleY(double length, int16_t fromScale) {
    return surface_.ScaleLength(Axis::kY, length, fromScale, std::nullopt);
}

double SurfaceDrawingObject::Ascent() {
    TEXTMETRICW metrics = {};
    if (!GetTextMetricsW(surface_.FontDc(), &metrics)) throw vb_errors::InvalidCall();
    return metrics.tmAscent * kTwipsPerInch / dpi_;
}

}  // namespace quillant::forms
