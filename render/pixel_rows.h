#pragma once
// Pixels of an image drawn in black on white, and what the image members
// make of them: the colours asked for (ForeColor on BackColor, the greys of
// the caption's smoothed edges in between, or coverage as alpha on a
// transparent ground) and the packed device-independent bitmap that BMP
// files, Access's PictureData and the clipboard take.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "render/drawing_object.h"

namespace quillant::render {

// Blue-green-red rows, top row first, stride bytes apart (DIB layout).
struct PixelRows {
    uint8_t* bits;
    int32_t width;
    int32_t height;
    size_t stride;
    // Where given, a row marked 1 shows the row above and holds no pixels of
    // its own (a canvas writes a symbol's repeated rows once).
    const uint8_t* asAbove = nullptr;

    bool AsAbove(int32_t y) const { return asAbove && y > 0 && asAbove[y]; }
    // The bytes of the pixels row y shows.
    uint8_t* Row(int32_t y) const {
        while (AsAbove(y)) --y;
        return bits + static_cast<size_t>(y) * stride;
    }
};

// What a picture's pixels need: black and white only (one bit a pixel),
// greys (a byte), colours (three bytes), or colours with their opacity
// (blue-green-red-alpha, PNG only; never chosen by DepthOf).
enum class PixelDepth { kBlackWhite, kGrey, kColour, kColourAlpha };

// The least depth that holds every pixel of count blue-green-red rows of
// width pixels, stride bytes apart, and at least atLeast.
PixelDepth DepthOf(const uint8_t* rows, int width, int count, size_t stride, PixelDepth atLeast);

// DepthOf, and which rows repeat the one above (1; never the first): both
// from one reading of the pixels, for a writer that skips repeated rows.
struct RowSurvey {
    std::vector<uint8_t> repeatsAbove;
    PixelDepth depth;
};
RowSurvey SurveyRows(const uint8_t* rows, int width, int count, size_t stride, PixelDepth atLeast);
// The same, reading only the rows that hold their own pixels.
RowSurvey SurveyRows(const PixelRows& rows, PixelDepth atLeast);

// One row of width blue-green-red pixels at depth (grey or black and white):
// a grey pixel is its blue byte; in black and white a set bit is white, the
// leftmost pixel the highest bit. out holds PackedRowBytes(width, depth).
size_t PackedRowBytes(int width, PixelDepth depth);
void PackRow(const uint8_t* pixels, int width, PixelDepth depth, uint8_t* out);

// Recolours black-on-white rows in place: black becomes fore, white ground,
// a grey the mix of the two.
void Tint(PixelRows rows, Color fore, Color ground);

// Blue-green-red-alpha rows (width * 4 bytes each, top first) of fore, the
// darkness of each black-on-white pixel as its opacity: a transparent ground.
std::vector<uint8_t> CoverageAlpha(const PixelRows& rows, Color fore);

// A packed DIB: BITMAPINFOHEADER (24 bits a pixel, rows bottom-up as every
// reader takes them, the resolution in pixels per metre) and the rows.
std::vector<uint8_t> PackedDib(const PixelRows& rows, int32_t dpi);

// A BMP file: the file header, then PackedDib.
std::vector<uint8_t> BmpFile(const PixelRows& rows, int32_t dpi);

}  // namespace quillant::render
