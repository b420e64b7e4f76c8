#pragma once
// What the picture box and the printer have in common: a GDI device with a
// pen, colours, a font and a scale, driven by the members a Visual Basic
// drawing object offers. No COM here beyond pictures; the dispatch objects
// wrap it. Every fault is raised as a VbError.

#include <windows.h>
#include <ocidl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/font_settings.h"
#include "forms/outline_widths.h"
#include "win32/gdi_object.h"
#include "forms/scale_units.h"

namespace quillant::forms {

// The bits of Line's flag word.
namespace line_flags {
constexpr int32_t kColourGiven = 2;  // the colour argument, not ForeColor
constexpr int32_t kBox = 4;          // a rectangle with the two points as corners
constexpr int32_t kOutline = 16;     // a box's outline (also what a box without kFill draws)
constexpr int32_t kFill = 32;        // a box filled in the line colour
constexpr int32_t kKnown = kColourGiven | kBox | kOutline | kFill;
}  // namespace line_flags

class DrawingSurface {
public:
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;
    virtual ~DrawingSurface();

    double CurrentX() const { return penX_; }
    double CurrentY() const { return penY_; }
    void SetCurrentX(double x) { penX_ = x; }
    void SetCurrentY(double y) { penY_ = y; }

    // A plain line, a box outline or a filled box; the pen ends at (x2, y2).
    void Line(int32_t flags, double x1, double y1, double x2, double y2, int32_t colour);

    int32_t ForeColor() const { return foreColor_; }
    int32_t BackColor() const { return backColor_; }
    int32_t FillColor() const { return fillColor_; }
    void SetForeColor(int32_t colour);
    void SetBackColor(int32_t colour);
    void SetFillColor(int32_t colour);
    int16_t DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(int16_t width);

    // The face GDI uses, which may stand in for the one asked for.
    const std::wstring& FontName() const { return face_; }
    double FontSize() const { return font_.points; }
    bool FontBold() const { return font_.bold; }
    bool FontItalic() const { return font_.italic; }
    bool FontUnderline() const { return font_.underline; }
    bool FontStrikethru() const { return font_.strikethru; }
    void SetFontName(std::wstring_view face);
    void SetFontSize(double points);
    void SetFontBold(bool on);
    void SetFontItalic(bool on);
    void SetFontUnderline(bool on);
    void SetFontStrikethru(bool on);

    // Measured and printed with the font selected into the device context,
    // which is the object's own unless a caller selected another.
    double TextWidth(std::wstring_view text);
    double TextHeight(std::wstring_view text);
    // Prints at the pen in ForeColor; the pen moves to the start of the next line.
    void Print(std::wstring_view text);

    HDC Hdc() { return DrawingDc(); }

    // For an owner that hands the surface's DCs to no host and selects every
    // other font into them through FontSelectedInto's caller (the component's
    // images): the surface then keeps which font each DC holds rather than
    // ask GDI, a call into the system, over a dozen times a caption. What
    // the DCs hold now is asked once.
    void TrackFontsSelected();
    // That owner selected font into dc (one of the surface's or not; a
    // 32-bit hDC's handle, sign extended, will do).
    void FontSelectedInto(HDC dc, HGDIOBJ font);
    // The DC whose font and metrics text is measured with, for callers that
    // select fonts and measure but draw through the members.
    HDC FontDc() { return MeasuringDc(); }

    // Draws picture stretched into the rectangle at (x, y); width and height
    // default to the picture's own size.
    void PaintPicture(IUnknown* picture, double x, double y, std::optional<double> width,
                      std::optional<double> height);

    double Width() const;   // twips
    double Height() const;  // twips
    void SetWidth(double twips);
    void SetHeight(double twips);
    double ScaleWidth() const;
    double ScaleHeight() const;
    int16_t ScaleMode() const { return scaleMode_; }
    void SetScaleMode(int16_t mode);
    // A length converted between scale modes, as Visual Basic's ScaleX and
    // ScaleY: from hundredths of a millimetre and to the object's ScaleMode
    // unless told otherwise. Pixels are the device's own along that axis (a
    // printer may have more dots an inch down than across).
    double ScaleLength(Axis axis, double length, std::optional<int16_t> from, std::optional<int16_t> to) const;
    double TwipsPerPixel(Axis axis) const { return kTwipsPerInch / (axis == Axis::kX ? dpiX_ : dpiY_); }

protected:
    // dpi: device pixels (or, on the printer, logical units) per inch, the
    // same both ways until a device says otherwise.
    DrawingSurface(double dpi, int pixelWidth, int pixelHeight, int32_t backColor);

    // The DC to draw on, made on demand (on the printer this starts a page).
    virtual HDC DrawingDc() = 0;
    // A DC to measure text on that starts nothing.
    virtual HDC MeasuringDc() = 0;
    // The DC to print lines of text on, the first with its top at penY (in
    // the object's scale); PrintDone follows. A surface may let GDI draw only
    // near the lines, where their glyphs can reach.
    virtual HDC PrintingDc(double /*penY*/, size_t /*lines*/) { return DrawingDc(); }
    // The DC GDI inks a line of text on, where InkOwnPixels did not.
    virtual HDC GdiTextDc(HDC printing) { return printing; }
    virtual void PrintDone() {}
    // The device takes a new size in pixels; it answers the size it took,
    // which a printer's driver may round to a paper it has.
    virtual SIZE ResizeDevice(int pixelWidth, int pixelHeight) = 0;
    virtual void BackColorChanged() {}
    // Fills a box (device pixels, right and bottom excluded) without GDI,
    // where the surface owns its pixels and chose to; false leaves it to GDI.
    virtual bool FillOwnPixels(const RECT& /*box*/, COLORREF /*ink*/) { return false; }
    // Inks a line of Print's (its top left at (x, y), its characters at
    // these advances) without GDI, where the surface owns its pixels and
    // can; false leaves it to GDI.
    virtual bool InkOwnPixels(HDC /*dc*/, COLORREF /*colour*/, int /*x*/, int /*y*/, std::wstring_view /*line*/,
                              const std::vector<INT>& /*advances*/) {
        return false;
    }

    // A new device altogether: resolution across and down and size in its
    // pixels; the object keeps its scale mode and its font in points. All
    // or nothing: a font that cannot be made leaves the object as it was.
    void ChangeDevice(double dpiX, double dpiY, int pixelWidth, int pixelHeight);

    // Derived classes register every DC they make, so that it carries the
    // object's font, and release it before deleting it.
    void AttachDc(HDC dc);
    // The device took a new size in pixels other than through Width and Height.
    void TookPixelSize(int pixelWidth, int pixelHeight) {
        pixelWidth_ = pixelWidth;
        pixelHeight_ = pixelHeight;
    }
    void DetachDc(HDC dc);

    const UnitScale& ScaleX() const { return scaleX_; }
    const UnitScale& ScaleY() const { return scaleY_; }
    double DpiX() const { return dpiX_; }
    double DpiY() const { return dpiY_; }
    int PixelWidth() const { return pixelWidth_; }
    int PixelHeight() const { return pixelHeight_; }
    // COLORREF of an OLE colour (system colours resolved).
    static COLORREF Colour(int32_t oleColour);

    // The metrics of the font selected into dc; the object's own font's are
    // kept, and where fonts are tracked the last other font's too (the
    // 32-bit Wine takes about 3 us to answer them, and a caption asks
    // several times). False where GDI cannot tell.
    bool TextMetrics(HDC dc, TEXTMETRICW& metrics);
    // What the font selected into dc was made from; false where GDI cannot tell.
    bool DescribeFontIn(HDC dc, LOGFONTW& font);

private:
    void ChangeFont(const FontSettings& settings);
    void SelectIntoEveryDc(RealizedFont made);
    HGDIOBJ FontIn(HDC dc) const;
    void InkLine(HDC dc, COLORREF colour, int x, int y, std::wstring_view line);
    int LineHeightPixels(HDC dc);
    int PixelsOfTwips(double twips, double dpi, const char* property) const;

    double dpiX_;
    double dpiY_;
    UnitScale scaleX_;
    UnitScale scaleY_;
    int16_t scaleMode_ = kTwips;
    int pixelWidth_;
    int pixelHeight_;
    double penX_ = 0;
    double penY_ = 0;
    int32_t foreColor_ = 0;
    int32_t backColor_;
    int32_t fillColor_ = 0;
    int16_t drawWidth_ = 1;
    FontSettings font_;
    std::wstring face_;
    win32::Font gdiFont_;
    LOGFONTW gdiFontDescription_ = {};
    std::optional<TEXTMETRICW> gdiFontMetrics_;  // of gdiFont_ in metricsDc_, once asked
    HDC metricsDc_ = nullptr;
    struct OtherFontMetrics {
        HDC dc;
        int mode;  // the DC's graphics mode
        LOGFONTW font;
        TEXTMETRICW metrics;
    };
    std::optional<OtherFontMetrics> otherFontMetrics_;  // of the last other font asked, where fonts are tracked
    // The brushes of the last two fill colours: a symbol fills its ground,
    // then dozens of bars in one ink.
    struct FillBrush {
        win32::Brush brush;
        COLORREF ink = CLR_INVALID;
    };
    FillBrush fillBrushes_[2];
    HBRUSH FillBrushOf(COLORREF ink);
    struct AttachedDc {
        HDC dc;
        HGDIOBJ font;  // what it holds, where fonts are tracked
    };
    std::vector<AttachedDc> dcs_;
    bool fontsTracked_ = false;
    OutlineWidths outlines_;
};

}  // namespace quillant::forms
