#include "forms/drawing_surface.h"

#include <olectl.h>

#include <algorithm>
#include <cmath>

#include "win32/com_ptr.h"
#include "win32/gdi_object.h"
#include "forms/forms_errors.h"
#include "forms/log_fonts.h"
#include "forms/picture_drawing.h"
#include "render/whole_numbers.h"

namespace quillant::forms {
namespace {

// Lines of a text as Print and TextHeight see them: CR LF, LF or CR end one.
std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

double TextWidthPixels(HDC dc, const LOGFONTW* font, OutlineWidths& outlines, std::wstring_view line) {
    if (line.empty()) return 0;
    const std::vector<double> ends = font ? outlines.Ends(dc, *font, line) : std::vector<double>();
    if (!ends.empty()) return ends.back();
    SIZE size = {};
    return GetTextExtentPoint32W(dc, line.data(), static_cast<int>(line.size()), &size) ? size.cx : 0;
}

// A DC as a renderer may have it, from a 32-bit hDC: only a handle's lower
// half counts, since the upper half is that half's sign, which GDI
// disregards (a handle GDI has made again and again has its top bit set).
bool SameDc(HDC a, HDC b) {
    const auto lower = [](HDC dc) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dc)); };
    return lower(a) == lower(b);
}

// The box Line paints: both corner pixels included.
RECT InclusiveBox(int x1, int y1, int x2, int y2) {
    return RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
}

}  // namespace

DrawingSurface::DrawingSurface(double dpi, int pixelWidth, int pixelHeight, int32_t backColor)
    : dpiX_(dpi), dpiY_(dpi), scaleX_(UnitScale::Twips(dpi)), scaleY_(UnitScale::Twips(dpi)),
      pixelWidth_(pixelWidth), pixelHeight_(pixelHeight),
      backColor_(backColor) {
    ChangeFont(font_);
}

DrawingSurface::~DrawingSurface() = default;

COLORREF DrawingSurface::Colour(int32_t oleColour) {
    // A plain RGB value (high byte 0) is its own COLORREF; a symbol's every
    // box asks.
    if ((static_cast<uint32_t>(oleColour) >> 24) == 0) return static_cast<COLORREF>(oleColour);
    COLORREF colour = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(oleColour), nullptr, &colour))) {
        throw errors::InvalidArgument(std::to_string(oleColour) + " is not a colour");
    }
    return colour;
}

void DrawingSurface::Line(int32_t flags, double x1, double y1, double x2, double y2, int32_t colour) {
    if (flags & ~line_flags::kKnown) throw errors::InvalidArgument("Line flags " + std::to_string(flags));
    const COLORREF ink = Colour((flags & line_flags::kColourGiven) ? colour : foreColor_);
    const int px1 = scaleX_.PixelOf(x1), py1 = scaleY_.PixelOf(y1);
    const int px2 = scaleX_.PixelOf(x2), py2 = scaleY_.PixelOf(y2);
    if (flags & line_flags::kBox) {
        const RECT box = InclusiveBox(px1, py1, px2, py2);
        if (flags & line_flags::kFill) {
            if (!FillOwnPixels(box, ink)) {
                HDC dc = DrawingDc();
                FillRect(dc, &box, FillBrushOf(ink));
            }
        } else {
            HDC dc = DrawingDc();
            const win32::Pen pen(CreatePen(PS_SOLID | PS_INSIDEFRAME, drawWidth_, ink));
            const win32::Selection penSelected(dc, pen.Get());
            const win32::Selection hollow(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, box.left, box.top, box.right, box.bottom);
        }
    } else {
        HDC dc = DrawingDc();
        const win32::Pen pen(CreatePen(PS_SOLID, drawWidth_, ink));
        const win32::Selection penSelected(dc, pen.Get());
        MoveToEx(dc, px1, py1, nullptr);
        LineTo(dc, px2, py2);
    }
    penX_ = x2;
    penY_ = y2;
}

// The most recent first.
HBRUSH DrawingSurface::FillBrushOf(COLORREF ink) {
    if (!fillBrushes_[0].brush || fillBrushes_[0].ink != ink) {
        std::swap(fillBrushes_[0], fillBrushes_[1]);
        if (!fillBrushes_[0].brush || fillBrushes_[0].ink != ink) {
            fillBrushes_[0] = FillBrush{win32::Brush(CreateSolidBrush(ink)), ink};
        }
    }
    return fillBrushes_[0].brush.Get();
}

namespace {
void CheckColour(int32_t colour, const char* property) {
    COLORREF ignored = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(colour), nullptr, &ignored))) {
        throw errors::InvalidPropertyValue(property, "is not a colour");
    }
}
}  // namespace

void DrawingSurface::SetForeColor(int32_t colour) {
    CheckColour(colour, "ForeColor");
    foreColor_ = colour;
}

void DrawingSurface::SetBackColor(int32_t colour) {
    CheckColour(colour, "BackColor");
    backColor_ = colour;
    BackColorChanged();
}

void DrawingSurface::SetFillColor(int32_t colour) {
    CheckColour(colour, "FillColor");
    fillColor_ = colour;
}

void DrawingSurface::SetDrawWidth(int16_t width) {
    if (width < 1) throw errors::InvalidPropertyValue("DrawWidth", "must be 1 or more");
    drawWidth_ = width;
}

void DrawingSurface::SetFontName(std::wstring_view face) {
    if (face.empty() || face.size() >= LF_FACESIZE) {
        throw errors::InvalidPropertyValue("FontName", "must have 1 to 31 characters");
    }
    FontSettings settings = font_;
    settings.face = std::wstring(face);
    ChangeFont(settings);
}

void DrawingSurface::SetFontSize(double points) {
    if (!(points > 0 && points <= 2160)) throw errors::InvalidPropertyValue("FontSize", "must be above 0 and at most 2160");
    FontSettings settings = font_;
    settings.points = points;
    ChangeFont(settings);
}

void DrawingSurface::SetFontBold(bool on) {
    FontSettings settings = font_;
    settings.bold = on;
    ChangeFont(settings);
}

void DrawingSurface::SetFontItalic(bool on) {
    FontSettings settings = font_;
    settings.italic = on;
    ChangeFont(settings);
}

void DrawingSurface::SetFontUnderline(bool on) {
    FontSettings settings = font_;
    settings.underline = on;
    ChangeFont(settings);
}

void DrawingSurface::SetFontStrikethru(bool on) {
    FontSettings settings = font_;
    settings.strikethru = on;
    ChangeFont(settings);
}

// The new font goes into every DC before the old one is deleted, so no DC is
// ever left holding a deleted font. A member set to the value it has makes no
// new font (a host sets the same caption font for every symbol); the
// object's font still goes back into its DCs, as after any font change.
void DrawingSurface::ChangeFont(const FontSettings& settings) {
    if (gdiFont_ && settings == font_) {
        // Selecting a font makes GDI look it up again, even the one a DC holds.
        for (AttachedDc& attached : dcs_) {
            if (FontIn(attached.dc) != gdiFont_.Get()) {
                SelectObject(attached.dc, gdiFont_.Get());
                attached.font = gdiFont_.Get();
            }
        }
        return;
    }
    // A font's size is its height: the dots down decide it.
    RealizedFont made = RealizeFont(settings, dpiY_);
    if (!made.font) throw errors::InvalidPropertyValue("Font", "cannot be made");
    SelectIntoEveryDc(std::move(made));
    font_ = settings;
}

void DrawingSurface::SelectIntoEveryDc(RealizedFont made) {
    for (AttachedDc& attached : dcs_) {
        SelectObject(attached.dc, made.font.Get());
        attached.font = made.font.Get();
    }
    gdiFont_ = std::move(made.font);
    gdiFontDescription_ = made.description;
    gdiFontMetrics_.reset();
    face_ = std::move(made.face);
}

void DrawingSurface::AttachDc(HDC dc) {
    SelectObject(dc, gdiFont_.Get());
    dcs_.push_back({dc, gdiFont_.Get()});
}

void DrawingSurface::DetachDc(HDC dc) {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    dcs_.erase(std::remove_if(dcs_.begin(), dcs_.end(), [dc](const AttachedDc& a) { return a.dc == dc; }), dcs_.end());
}

void DrawingSurface::TrackFontsSelected() {
    if (fontsTracked_) return;
    for (AttachedDc& attached : dcs_) attached.font = GetCurrentObject(attached.dc, OBJ_FONT);
    fontsTracked_ = true;
}

void DrawingSurface::FontSelectedInto(HDC dc, HGDIOBJ font) {
    for (AttachedDc& attached : dcs_) {
        if (SameDc(attached.dc, dc)) attached.font = font;
    }
}

HGDIOBJ DrawingSurface::FontIn(HDC dc) const {
    if (fontsTracked_) {
        for (const AttachedDc& attached : dcs_) {
            if (SameDc(attached.dc, dc)) return attached.font;
        }
    }
    return GetCurrentObject(dc, OBJ_FONT);
}

bool DrawingSurface::DescribeFontIn(HDC dc, LOGFONTW& font) {
    const HGDIOBJ selected = FontIn(dc);
    if (selected && selected == gdiFont_.Get()) {
        font = gdiFontDescription_;
        return true;
    }
    return selected && GetObjectW(selected, sizeof font, &font) != 0;
}

// A turned caption's font is made anew for every image, from the same
// description: where the surface's DCs are its own, its metrics are kept by
// that description too.
bool DrawingSurface::TextMetrics(HDC dc, TEXTMETRICW& metrics) {
    const bool own = FontIn(dc) == gdiFont_.Get();
    if (own && gdiFontMetrics_ && metricsDc_ == dc) {
        metrics = *gdiFontMetrics_;
        return true;
    }
    OtherFontMetrics other{dc, GetGraphicsMode(dc), {}, {}};
    const bool keepOther = !own && fontsTracked_ && DescribeFontIn(dc, other.font);
    if (keepOther && otherFontMetrics_ && otherFontMetrics_->dc == dc && otherFontMetrics_->mode == other.mode &&
        SameLogFont(otherFontMetrics_->font, other.font)) {
        metrics = otherFontMetrics_->metrics;
        return true;
    }
    if (!GetTextMetricsW(dc, &metrics)) return false;
    if (own) {
        gdiFontMetrics_ = metrics;
        metricsDc_ = dc;
    } else if (keepOther) {
        other.metrics = metrics;
        otherFontMetrics_ = other;
    }
    return true;
}

int DrawingSurface::LineHeightPixels(HDC dc) {
    TEXTMETRICW metrics = {};
    if (!TextMetrics(dc, metrics)) return 0;
    return metrics.tmHeight + metrics.tmExternalLeading;
}

double DrawingSurface::TextWidth(std::wstring_view text) {
    HDC dc = MeasuringDc();
    double widest = 0;
    LOGFONTW font = {};
    const LOGFONTW* described = DescribeFontIn(dc, font) ? &font : nullptr;
    for (std::wstring_view line : SplitLines(text)) {
        widest = std::max(widest, TextWidthPixels(dc, described, outlines_, line));
    }
    return scaleX_.ToUnits(widest);
}

double DrawingSurface::TextHeight(std::wstring_view text) {
    HDC dc = MeasuringDc();
    return scaleY_.ToUnits(static_cast<double>(LineHeightPixels(dc)) * static_cast<double>(SplitLines(text).size()));
}

// Text is inked at the advances it was measured with: each character starts
// at its outline position rounded to a pixel, not where the hinted advances
// before it add up to (at 203 dpi those run several pixels past the measure,
// and a caption centred by its measure sits left of centre).
void DrawingSurface::InkLine(HDC dc, COLORREF colour, int x, int y, std::wstring_view line) {
    LOGFONTW font = {};
    const std::vector<double> ends = DescribeFontIn(dc, font) ? outlines_.Ends(dc, font, line) : std::vector<double>();
    if (ends.size() != line.size()) {
        TextOutW(GdiTextDc(dc), x, y, line.data(), static_cast<int>(line.size()));
        return;
    }
    std::vector<INT> advances(ends.size());
    long before = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
        // Sixteenths of a pixel, so well within the integers; the C
        // library's lround is a slow call in the 32-bit build.
        const long end = render::WholeToInt32(render::Round(ends[i]));
        advances[i] = static_cast<INT>(end - before);
        before = end;
    }
    if (InkOwnPixels(dc, colour, x, y, line, advances)) return;
    ExtTextOutW(GdiTextDc(dc), x, y, 0, nullptr, line.data(), static_cast<UINT>(line.size()), advances.data());
}

void DrawingSurface::Print(std::wstring_view text) {
    const std::vector<std::wstring_view> lines = SplitLines(text);
    struct Done {
        DrawingSurface& surface;
        ~Done() { surface.PrintDone(); }
    };
    HDC dc = PrintingDc(penY_, lines.size());
    const Done done{*this};
    const COLORREF colour = Colour(foreColor_);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const double lineHeight = scaleY_.ToUnits(LineHeightPixels(dc));
    for (std::wstring_view line : lines) {
        if (!line.empty()) {
            InkLine(dc, colour, scaleX_.PixelOf(penX_), scaleY_.PixelOf(penY_), line);
        }
        penX_ = 0;
        penY_ += lineHeight;
    }
}

void DrawingSurface::PaintPicture(IUnknown* picture, double x, double y, std::optional<double> width,
                                  std::optional<double> height) {
    win32::ComPtr<IPicture> source;
    if (!picture || FAILED(picture->QueryInterface(IID_IPicture, source.PutVoid()))) {
        throw errors::InvalidPicture("PaintPicture needs a picture object");
    }
    if (!width || !height) {
        const SIZE twips = PictureSizeTwips(source.Get());
        if (!width) width = UnitScale::Twips(dpiX_).Convert(twips.cx, scaleX_);
        if (!height) height = UnitScale::Twips(dpiY_).Convert(twips.cy, scaleY_);
    }
    HDC dc = DrawingDc();
    const RECT target = {scaleX_.PixelOf(x), scaleY_.PixelOf(y), scaleX_.PixelOf(x + *width),
                         scaleY_.PixelOf(y + *height)};
    DrawPicture(dc, source.Get(), target);
}

double DrawingSurface::Width() const { return UnitScale::Twips(dpiX_).ToUnits(pixelWidth_); }
double DrawingSurface::Height() const { return UnitScale::Twips(dpiY_).ToUnits(pixelHeight_); }
double DrawingSurface::ScaleWidth() const { return scaleX_.ToUnits(pixelWidth_); }
double DrawingSurface::ScaleHeight() const { return scaleY_.ToUnits(pixelHeight_); }

int DrawingSurface::PixelsOfTwips(double twips, double dpi, const char* property) const {
    const double pixels = std::floor(UnitScale::Twips(dpi).ToPixels(twips) + 0.5);
    if (!(pixels >= 1 && pixels <= 1 << 20)) {
        throw errors::InvalidPropertyValue(property, "must be at least one pixel and at most 2^20 pixels");
    }
    return static_cast<int>(pixels);
}

void DrawingSurface::SetWidth(double twips) {
    const SIZE taken = ResizeDevice(PixelsOfTwips(twips, dpiX_, "Width"), pixelHeight_);
    pixelWidth_ = taken.cx;
    pixelHeight_ = taken.cy;
}

void DrawingSurface::SetHeight(double twips) {
    const SIZE taken = ResizeDevice(pixelWidth_, PixelsOfTwips(twips, dpiY_, "Height"));
    pixelWidth_ = taken.cx;
    pixelHeight_ = taken.cy;
}

double DrawingSurface::ScaleLength(Axis axis, double length, std::optional<int16_t> from,
                                   std::optional<int16_t> to) const {
    const double dpi = axis == Axis::kX ? dpiX_ : dpiY_;
    const std::optional<UnitScale> source = UnitScale::ForConversion(from.value_or(kHimetric), dpi);
    const std::optional<UnitScale> target = UnitScale::ForConversion(to.value_or(scaleMode_), dpi);
    if (!source || !target) throw errors::InvalidArgument("scale must be 1 (twips), 2, 3 (pixels), 5, 6, 7 or 8");
    return source->Convert(length, *target);
}

// Everything that can fail (the scales, the font in its new pixels) is made
// before anything changes.
void DrawingSurface::ChangeDevice(double dpiX, double dpiY, int pixelWidth, int pixelHeight) {
    const std::optional<UnitScale> scaleX = UnitScale::For(scaleMode_, dpiX);
    const std::optional<UnitScale> scaleY = UnitScale::For(scaleMode_, dpiY);
    if (!scaleX || !scaleY) throw errors::InvalidPropertyValue("ScaleMode", "has no scale at this resolution");
    RealizedFont made = RealizeFont(font_, dpiY);
    if (!made.font) throw errors::InvalidPropertyValue("Font", "cannot be made");
    SelectIntoEveryDc(std::move(made));
    dpiX_ = dpiX;
    dpiY_ = dpiY;
    scaleX_ = *scaleX;
    scaleY_ = *scaleY;
    pixelWidth_ = pixelWidth;
    pixelHeight_ = pixelHeight;
}

// The pen keeps its place on the device; only its numbers change.
void DrawingSurface::SetScaleMode(int16_t mode) {
    const std::optional<UnitScale> scaleX = UnitScale::For(mode, dpiX_);
    const std::optional<UnitScale> scaleY = UnitScale::For(mode, dpiY_);
    if (!scaleX || !scaleY) {
        throw errors::InvalidPropertyValue("ScaleMode", "must be 1 (twips), 2, 3 (pixels), 5, 6 or 7");
    }
    penX_ = scaleX_.Convert(penX_, *scaleX);
    penY_ = scaleY_.Convert(penY_, *scaleY);
    scaleX_ = *scaleX;
    scaleY_ = *scaleY;
    scaleMode_ = mode;
}

}  // namespace quillant::forms
