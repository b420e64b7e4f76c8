#pragma once
// A stand-in's drawing surface as the renderer sees it, called directly
// rather than through IDispatch: the canvas of the image members. Its scale
// is twips, as a Visual Basic printer's; its turned fonts are made for the
// surface's own resolution, not the screen's a memory DC reports.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "forms/drawing_surface.h"
#include "render/drawing_object.h"
#include "render/font_api.h"
#include "render/svg_drawing.h"

namespace quillant::forms {

class SurfaceDrawingObject final : public render::DrawingObject, public render::TextMeasure {
public:
    // dpi is the surface's resolution. The surface's DCs are the renderer's
    // alone from now on, its fonts selected through a SurfaceFontApi.
    SurfaceDrawingObject(DrawingSurface& surface, double dpi) : surface_(surface), dpi_(dpi) {
        surface_.TrackFontsSelected();
    }

    // From now on the renderer's black is fore and its blanks are ground
    // (left out when there is none: a transparent ground), the text fore
    // too. Without it the surface is drawn as the renderer says.
    void DrawIn(render::Color fore, std::optional<render::Color> ground);

    bool IsPrinter() override { return false; }
    double CurrentX() override { return surface_.CurrentX(); }
    double CurrentY() override { return surface_.CurrentY(); }
    void SetCurrentX(double x) override { surface_.SetCurrentX(x); }
    void SetCurrentY(double y) override { surface_.SetCurrentY(y); }
    void Line(render::LineStyle style, double x1, double y1, double x2, double y2, render::Color color) override;
    void SetForeColor(render::Color color) override { surface_.SetForeColor(static_cast<int32_t>(color)); }
    void SetDrawWidth(int16_t width) override { surface_.SetDrawWidth(width); }
    render::Color BackColor() override;
    void SetFillColor(render::Color color) override { surface_.SetFillColor(static_cast<int32_t>(color)); }
    std::u16string FontName() override;
    void SetFontName(std::u16string_view name) override;
    double FontSize() override { return surface_.FontSize(); }
    void SetFontSize(double points) override { surface_.SetFontSize(points); }
    bool FontBold() override { return surface_.FontBold(); }
    void SetFontBold(bool bold) override { surface_.SetFontBold(bold); }
    bool FontItalic() override { return surface_.FontItalic(); }
    void SetFontItalic(bool italic) override { surface_.SetFontItalic(italic); }
    bool FontUnderline() override { return surface_.FontUnderline(); }
    bool FontStrikethru() override { return surface_.FontStrikethru(); }
    double TextWidth(std::u16string_view text) override { return surface_.TextWidth(Wide(text)); }
    double TextHeight(std::u16string_view text) override { return surface_.TextHeight(Wide(text)); }
    void Print(std::u16string_view text) override { surface_.Print(Wide(text)); }
    render::DeviceContext Hdc() override;
    void PaintPicture(const render::Picture&, double, double, double, double) override;
    std::optional<double> ScaleX(double length, int16_t fromScale) override;
    std::optional<double> ScaleY(double length, int16_t fromScale) override;

    // TextMeasure: the ascent of the font selected into the surface's DC.
    double Ascent() override;

private:
    static std::wstring_view Wide(std::u16string_view text) {
        return std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size());
    }

    DrawingSurface& surface_;
    double dpi_;
    bool recoloured_ = false;
    render::Color fore_ = render::kBlack;
    std::optional<render::Color> ground_;
};

// gdi32's font calls, with the surface's resolution as its LOGPIXELSY; the
// surface is told of every font selected, and keeps which its DCs hold.
class SurfaceFontApi final : public render::FontApi {
public:
    SurfaceFontApi(render::FontApi& gdi, DrawingSurface& surface, int32_t dpi)
        : gdi_(gdi), surface_(surface), dpi_(dpi) {}

    int32_t SetGraphicsMode(render::DeviceContext dc, int32_t mode) noexcept override {
        return gdi_.SetGraphicsMode(dc, mode);
    }
    int32_t GetDeviceCaps(render::DeviceContext dc, int32_t index) noexcept override {
        return index == render::gdi::kLogPixelsY ? dpi_ : gdi_.GetDeviceCaps(dc, index);
    }
    render::GdiHandle CreateFontIndirectA(const render::LogFontA& font) noexcept override {
        return gdi_.CreateFontIndirectA(font);
    }
    render::GdiHandle SelectObject(render::DeviceContext dc, render::GdiHandle object) noexcept override {
        const render::GdiHandle previous = gdi_.SelectObject(dc, object);
        if (previous != 0) {
            const HDC handle = reinterpret_cast<HDC>(static_cast<intptr_t>(dc));
            surface_.FontSelectedInto(handle, reinterpret_cast<HGDIOBJ>(object));
        }
        return previous;
    }
    bool DeleteObject(render::GdiHandle object) noexcept override { return gdi_.DeleteObject(object); }
    int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) noexcept override {
        return gdi_.MulDiv(number, numerator, denominator);
    }
    std::string ToAnsiCodePage(std::u16string_view text) override { return gdi_.ToAnsiCodePage(text); }
    std::vector<bool> MissingGlyphs(render::DeviceContext dc, std::u16string_view text) override {
        return gdi_.MissingGlyphs(dc, text);
    }
    int32_t TextAscent(render::DeviceContext dc) override { return gdi_.TextAscent(dc); }

private:
    render::FontApi& gdi_;
    DrawingSurface& surface_;
    int32_t dpi_;
};

}  // namespace quillant::forms
