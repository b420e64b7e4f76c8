#include "render/svg_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "encoding/vb_error.h"
#include "render/caption_face.h"

namespace quillant::render {
namespace {

constexpr double kPointsPerInch = 72;

void AppendEscaped(std::string& out, std::u16string_view text) {
    for (const char16_t c : text) {
        switch (c) {
            case u'&': out += "&amp;"; break;
            case u'<': out += "&lt;"; break;
            case u'>': out += "&gt;"; break;
            case u'"': out += "&quot;"; break;
            default:
                if (c < 0x20) {
                    out += "&#xFFFD;";  // XML 1.0 has no place for control characters
                } else if (c < 0x80) {
                    out += static_cast<char>(c);
                } else if (c < 0x800) {
                    out += static_cast<char>(0xC0 | (c >> 6));
                    out += static_cast<char>(0x80 | (c & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (c >> 12));
                    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (c & 0x3F));
                }
        }
    }
}

}  // namespace

std::string SvgNumber(double value) {
    const long long thousandths = std::llround(value * 1000);
    std::string out = thousandths < 0 ? "-" : "";
    const unsigned long long magnitude = static_cast<unsigned long long>(std::llabs(thousandths));
    out += std::to_string(magnitude / 1000);
    unsigned long long fraction = magnitude % 1000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + 1000).substr(1);
        while (digits.back() == '0') digits.pop_back();
        out += "." + digits;
    }
    return out;
}

SvgDrawing::SvgDrawing(DrawingObject& measure, TextMeasure& metrics, FontApi& glyphs, int32_t dpi, int32_t width,
                       int32_t height, Color fore, std::optional<Color> ground)
    : measure_(measure), metrics_(metrics), glyphs_(glyphs), dpi_(dpi), twipsPerPixel_(1440.0 / dpi), width_(width), height_(height),
      fore_(fore), ground_(ground) {}

std::string SvgDrawing::Colour(Color color) const {
    static const char kHex[] = "0123456789abcdef";
    // OLE order: red in the low byte.
    const uint8_t rgb[3] = {static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
                            static_cast<uint8_t>(color >> 16)};
    std::string out = "#";
    for (const uint8_t c : rgb) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

// The renderer draws bars in black and blanks in the ground colour: here
// they take ForeColor and the image's ground. A blank on a transparent
// ground is left out.
void SvgDrawing::Line(LineStyle, double x1, double y1, double x2, double y2, Color color) {
    x_ = x2;
    y_ = y2;
    const bool bar = color == kBlack;
    if (!bar && !ground_) return;
    // Both corners are pixels the box covers.
    const double left = std::round(std::min(x1, x2) / twipsPerPixel_);
    const double top = std::round(std::min(y1, y2) / twipsPerPixel_);
    const double right = std::round(std::max(x1, x2) / twipsPerPixel_) + 1;
    const double bottom = std::round(std::max(y1, y2) / twipsPerPixel_) + 1;
    body_ += "<rect x=\"" + SvgNumber(left) + "\" y=\"" + SvgNumber(top) + "\" width=\"" + SvgNumber(right - left) +
             "\" height=\"" + SvgNumber(bottom - top) + "\" fill=\"" + Colour(bar ? fore_ : *ground_) + "\"/>\n";
}

// At the pen, the cell's top edge there, turned by the selected font's
// angle about that point as GDI turns it.
void SvgDrawing::Print(std::u16string_view text) {
    const double x = x_ / twipsPerPixel_;
    const double y = y_ / twipsPerPixel_;
    const double ascent = metrics_.Ascent() / twipsPerPixel_;
    const double length = measure_.TextWidth(text) / twipsPerPixel_;
    const double size = measure_.FontSize() * dpi_ / kPointsPerInch;
    const int32_t angle = selected_ >= kFontBase ? static_cast<int32_t>(selected_ - kFontBase) : 0;
    body_ += "<text x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y + ascent) + "\" font-size=\"" + SvgNumber(size) +
             "\" textLength=\"" + SvgNumber(length) + "\" lengthAdjust=\"spacingAndGlyphs\" fill=\"" + Colour(fore_) +
             "\"";
    // The group names the default caption's faces; any other face, and the
    // fallback a run of missing glyphs is in, is named on its text.
    if (!face_.empty() && face_ != kCaptionFace) {
        body_ += " font-family=\"'";
        AppendEscaped(body_, face_);
        body_ += "', monospace\"";
    }
    if (measure_.FontBold()) body_ += " font-weight=\"bold\"";
    if (measure_.FontItalic()) body_ += " font-style=\"italic\"";
    if (angle != 0) body_ += " transform=\"rotate(" + SvgNumber(-angle / 10.0) + " " + SvgNumber(x) + " " + SvgNumber(y) + ")\"";
    body_ += ">";
    AppendEscaped(body_, text);
    body_ += "</text>\n";
    y_ += measure_.TextHeight(text);
}

void SvgDrawing::PaintPicture(const Picture&, double, double, double, double) { throw vb_errors::InvalidCall(); }

int32_t SvgDrawing::GetDeviceCaps(DeviceContext, int32_t index) noexcept {
    return index == gdi::kLogPixelsY ? dpi_ : 0;
}

GdiHandle SvgDrawing::CreateFontIndirectA(const LogFontA& font) noexcept {
    return kFontBase + static_cast<GdiHandle>(((font.lfEscapement % 3600) + 3600) % 3600);
}

GdiHandle SvgDrawing::SelectObject(DeviceContext, GdiHandle object) noexcept {
    const GdiHandle previous = selected_;
    selected_ = object;
    return previous;
}

int32_t SvgDrawing::MulDiv(int32_t number, int32_t numerator, int32_t denominator) noexcept {
    if (denominator == 0) return -1;
    return static_cast<int32_t>(std::llround(static_cast<double>(number) * numerator / denominator));
}

std::string SvgDrawing::ToAnsiCodePage(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) out += c < 0x100 ? static_cast<char>(c) : '?';
    return out;
}

std::string SvgDrawing::Document() const {
    const std::string w = std::to_string(width_);
    const std::string h = std::to_string(height_);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h +
                      "\" shape-rendering=\"crispEdges\">\n";
    if (ground_) out += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"" + Colour(*ground_) + "\"/>\n";
    out += "<g font-family=\"";
    out += kSvgCaptionFonts;
    out += "\">\n";
    out += body_;
    out += "</g>\n</svg>\n";
    return out;
}

}  // namespace quillant::render
