#pragma once
// The symbol as an SVG document: a drawing object that writes what the label
// renderer draws as exact vector geometry, one rectangle per box and the
// caption as text, instead of pixels. Fonts and text sizes come from a
// measuring object on the platform (the caption must be laid out with the
// widths the raster image gets); each text is pinned to that width
// (textLength), so a fallback font takes the same room.
//
// It answers the renderer's font calls too, so that a turned caption's
// angle reaches the text it prints.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/drawing_object.h"
#include "render/font_api.h"

namespace quillant::render {

// What the measuring object knows beyond DrawingObject: where the text's
// baseline is below the top of its cell, in its units.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual double Ascent() = 0;
};

// The fonts the caption asks for, first the one the raster images use.
constexpr const char* kSvgCaptionFonts = "'OCR A Extended', 'OCR A', 'OCR-A', 'OCR A Std', monospace";

class SvgDrawing final : public DrawingObject, public FontApi {
public:
    // measure is in twips at dpi; the document is in pixels at dpi, width by
    // height. A null ground leaves the background transparent. glyphs
    // answers which glyphs the measuring object's font lacks.
    SvgDrawing(DrawingObject& measure, TextMeasure& metrics, FontApi& glyphs, int32_t dpi, int32_t width,
               int32_t height, Color fore, std::optional<Color> ground);

    // The finished document, UTF-8.
    std::string Document() const;

    // DrawingObject
    bool IsPrinter() override { return false; }
    double CurrentX() override { return x_; }
    double CurrentY() override { return y_; }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }
    void Line(LineStyle style, double x1, double y1, double x2, double y2, Color color) override;
    void SetForeColor(Color) override {}
    void SetDrawWidth(int16_t) override {}
    Color BackColor() override { return kWhite; }
    void SetFillColor(Color) override {}
    std::u16string FontName() override { return measure_.FontName(); }
    void SetFontName(std::u16string_view name) override {
        measure_.SetFontName(name);
        face_ = name;
    }
    double FontSize() override { return measure_.FontSize(); }
    void SetFontSize(double points) override { measure_.SetFontSize(points); }
    bool FontBold() override { return measure_.FontBold(); }
    void SetFontBold(bool bold) override { measure_.SetFontBold(bold); }
    bool FontItalic() override { return measure_.FontItalic(); }
    void SetFontItalic(bool italic) override { measure_.SetFontItalic(italic); }
    bool FontUnderline() override { return measure_.FontUnderline(); }
    bool FontStrikethru() override { return measure_.FontStrikethru(); }
    double TextWidth(std::u16string_view text) override { return measure_.TextWidth(text); }
    double TextHeight(std::u16string_view text) override { return measure_.TextHeight(text); }
    void Print(std::u16string_view text) override;
    DeviceContext Hdc() override { return kDc; }
    void PaintPicture(const Picture&, double, double, double, double) override;
    std::optional<double> ScaleX(double length, int16_t fromScale) override { return measure_.ScaleX(length, fromScale); }
    std::optional<double> ScaleY(double length, int16_t fromScale) override { return measure_.ScaleY(length, fromScale); }

    // FontApi: fonts are only descriptions here; the one selected gives the
    // angle of the text printed next.
    int32_t SetGraphicsMode(DeviceContext, int32_t) noexcept override { return 1; }
    int32_t GetDeviceCaps(DeviceContext, int32_t index) noexcept override;
    GdiHandle CreateFontIndirectA(const LogFontA& font) noexcept override;
    GdiHandle SelectObject(DeviceContext, GdiHandle object) noexcept override;
    bool DeleteObject(GdiHandle) noexcept override { return true; }
    int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) noexcept override;
    std::string ToAnsiCodePage(std::u16string_view text) override;
    std::vector<bool> MissingGlyphs(DeviceContext, std::u16string_view text) override {
        return glyphs_.MissingGlyphs(measure_.Hdc(), text);
    }
    int32_t TextAscent(DeviceContext) override { return glyphs_.TextAscent(measure_.Hdc()); }

private:
    static constexpr DeviceContext kDc = 1;
    // Handles of turned fonts are their escapement plus this, so that no
    // handle is 0 and selecting one back (the "previous font") means upright.
    static constexpr GdiHandle kFontBase = 0x10000;

    std::string Colour(Color color) const;

    DrawingObject& measure_;
    TextMeasure& metrics_;
    FontApi& glyphs_;
    int32_t dpi_;
    double twipsPerPixel_;
    int32_t width_;
    int32_t height_;
    Color fore_;
    std::optional<Color> ground_;
    double x_ = 0;
    double y_ = 0;
    GdiHandle selected_ = 0;
    std::u16string face_;  // as set, not as the platform found it
    std::string body_;
};

// A number as SVG writes it, whatever the process's locale: at most three
// decimals, no trailing zeros.
std::string SvgNumber(double value);

}  // namespace quillant::render
