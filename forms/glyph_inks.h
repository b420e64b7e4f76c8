#pragma once
// A line of text inked straight into an image's pixels, glyph by glyph, from
// glyphs GDI drew once. In a raster image, GDI's text drawing takes longer
// than everything else together (the 32-bit Wine places every character
// through a slow rounding call and blends it through its own loops), and a
// run of labels draws the same few dozen characters in one font thousands
// of times.
//
// GDI inks a line one glyph after another, each at a whole pixel, so a glyph
// is the same wherever it lands. Each is drawn once, black on white and on
// its own, and kept as the levels it left. Inking it scales each channel
// under it by its level (255 leaves a pixel, 0 blackens it): on white that
// is the glyph as drawn, and over ink already there (italic letters reach
// into their neighbours) it is how a smoothed black glyph darkens what lies
// under it.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/raster_image.h"

namespace quillant::forms {

// Pixels to ink: 24-bit rows top down, and the part of them ink may reach.
struct InkArea {
    uint8_t* bits = nullptr;
    size_t stride = 0;
    int width = 0;   // columns [0, width)
    int top = 0;     // rows [top, bottom)
    int bottom = 0;
};

class GlyphInks {
public:
    GlyphInks();
    GlyphInks(const GlyphInks&) = delete;
    GlyphInks& operator=(const GlyphInks&) = delete;
    ~GlyphInks();

    // Makes rows [top, bottom) ready for ink and answers where they are
    // (which may be fewer rows: ink goes nowhere else).
    using OpenRows = std::function<InkArea(int top, int bottom)>;

    // Inks line in black with its top left at (x, y), as ExtTextOutW would
    // with TA_LEFT | TA_TOP, a transparent ground and these advances, in the
    // font selected into dc (font: its LOGFONTW; upright, upward or upside
    // down), opening only the rows its glyphs reach. False, with nothing
    // inked, where GDI would not draw it as lone black glyphs or would clip
    // them: another colour, another turn, an underline or strike-out (one
    // stroke along the whole line), extra space between characters, a
    // character outside Latin-1, a glyph too large for the scratch it is
    // drawn on or reaching outside the area, or a font GDI cannot draw
    // there.
    bool Ink(HDC dc, const LOGFONTW& font, COLORREF colour, int x, int y, std::wstring_view line,
             const std::vector<INT>& advances, const OpenRows& open);

private:
    // A glyph's ink: spans of pixels along its rows, either solid black
    // (most of a glyph at a caption's sizes) or smoothed, each pixel's
    // levels blue, green, red (one level where the three agree: smoothed in
    // grey).
    struct Span {
        int16_t x;  // from the glyph's origin
        int16_t y;
        uint16_t count;
        bool solid;
    };
    struct Glyph {
        bool drawn = false;  // asked of GDI
        bool kept = false;   // and all of it within the scratch
        bool grey = true;
        int left = 0, top = 0, right = 0, bottom = 0;  // the spans' box from the origin, right and bottom excluded
        std::vector<Span> spans;
        std::vector<uint8_t> levels;  // of the smoothed spans, in order
    };
    // A font's glyphs as drawn in one graphics mode (a turned font's
    // depend on it).
    struct FontGlyphs {
        LOGFONTW font = {};
        int mode = GM_COMPATIBLE;
        std::array<Glyph, 256> glyphs;
    };

    FontGlyphs& GlyphsOf(const LOGFONTW& font, int mode);
    const Glyph& GlyphOf(HDC dc, FontGlyphs& glyphs, wchar_t c);
    // Scratch pixels for glyphs of the font selected into dc; false where
    // GDI cannot make them.
    bool MakeScratch(HDC dc, const LOGFONTW& font);

    // A caption has one font at one size; a few are kept for callers that
    // turn between styles.
    static constexpr size_t kFontsKept = 4;
    std::vector<std::unique_ptr<FontGlyphs>> fonts_;
    size_t nextReplaced_ = 0;
    // Each glyph's origin in the line being inked, kept from one caption to
    // the next rather than allocated for each.
    std::vector<std::pair<int64_t, int64_t>> origins_;

    // White pixels a glyph is drawn on, its origin a text height in from
    // each side: italic and overhanging glyphs reach outside their cell.
    std::unique_ptr<RasterImage> scratch_;
    int scratchMargin_ = 0;
    LOGFONTW scratchFor_ = {};
};

}  // namespace quillant::forms
