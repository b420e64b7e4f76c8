#pragma once
// A 24-bit top-down DIB section selected into its own memory DC: the pixels of
// a picture box, and the bands of a printed page on their way to a PNG file.
// The DC stays the same for the image's life, resizes included, so that a
// font a caller selected into it stays selected.
//
// An image's canvas (made on kept memory) writes a row that repeats the row
// above only when something reads it: a symbol's bars are one row shown a
// hundred times, and grounding, filling and reading every copy was most of
// an image's time. Such a row is marked as the row above (RowsAsAbove);
// Bits, Pixel and the DC for drawing write the rows they expose first.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "win32/gdi_object.h"

namespace quillant::forms {

class RasterImage {
public:
    // A DIB section's memory, to be handed from one image to the next: new
    // memory costs a fault on every page, and a picture's pages outnumber
    // the work of drawing it.
    class Memory {
    public:
        Memory() = default;
        Memory(Memory&& other) noexcept { *this = std::move(other); }
        Memory& operator=(Memory&& other) noexcept {
            bitmap_ = std::move(other.bitmap_);
            bits_ = std::exchange(other.bits_, nullptr);
            width_ = std::exchange(other.width_, 0);
            height_ = std::exchange(other.height_, 0);
            return *this;
        }
        bool Holds(int width, int height) const { return bitmap_ && width <= width_ && height <= height_; }
        size_t Bytes() const { return static_cast<size_t>(StrideOf(width_)) * static_cast<size_t>(height_); }

    private:
        friend class RasterImage;
        win32::Bitmap bitmap_;
        uint8_t* bits_ = nullptr;
        int width_ = 0;
        int height_ = 0;
    };

    // Raises error 480 when the bitmap cannot be made (too large, no memory).
    RasterImage(int width, int height, COLORREF ground);
    // An image's canvas: uses memory where it holds the image, else makes
    // its own, and writes repeated rows on demand.
    RasterImage(int width, int height, COLORREF ground, Memory memory);
    RasterImage(const RasterImage&) = delete;
    RasterImage& operator=(const RasterImage&) = delete;
    ~RasterImage();

    // The DC for selecting and measuring fonts: it may show rows not yet
    // written, so nothing may be drawn through it.
    HDC Dc() const {
        gdiMayHaveDrawn_ = true;
        return dc_.Get();
    }
    // The DC for GDI to draw on anywhere: every row written first.
    HDC DrawingDc();
    // Rows [top, bottom) to draw on until EndRows: written first, and the
    // row below them no longer shown as the row above. Ink put in them
    // without GDI needs nothing more; GDI draws on ClippedToOpenRows.
    void OpenRows(int top, int bottom);
    // The DC clipped to the open rows (until EndRows).
    HDC ClippedToOpenRows();
    void EndRows();
    // The rows OpenRows opened, within the image, until EndRows.
    int OpenTop() const { return openTop_; }
    int OpenBottom() const { return openBottom_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes per row, rows padded to four bytes as DIBs are.
    int Stride() const { return StrideOf(dib_.width_); }
    // The pixels, blue-green-red, after any pending GDI drawing.
    const uint8_t* Bits() const;
    uint8_t* Bits();
    // The same without writing the rows marked as the row above: only the
    // other rows' bytes are the image's.
    uint8_t* WrittenBits();
    // 1 for each row whose pixels are the row above's and not in memory
    // (never the first row); all 0 but on an image's canvas.
    const std::vector<uint8_t>& RowsAsAbove() const { return asAbove_; }

    void Fill(COLORREF colour);
    // The part of box (right and bottom excluded) inside the image, filled
    // as GDI's FillRect would with a solid brush, without GDI.
    void FillBox(const RECT& box, COLORREF colour);
    // CLR_INVALID outside the image.
    COLORREF Pixel(int x, int y) const;
    // Keeps the pixels that fit, grounds the rest in ground.
    void Resize(int width, int height, COLORREF ground);
    // A new size, every pixel ground; the memory stays where it holds it.
    void Reframe(int width, int height, COLORREF ground);
    // A new bitmap holding a copy of the pixels, for a picture object to own.
    win32::Bitmap CopyBitmap() const;
    size_t MemoryBytes() const { return dib_.Bytes(); }
    // The memory, for the next image; this image is then empty.
    Memory TakeMemory();

    static int StrideOf(int width) { return (width * 3 + 3) & ~3; }

private:
    RasterImage(int width, int height, COLORREF ground, Memory memory, bool rowsOnDemand);
    static Memory MakeDib(int width, int height);
    void Adopt(Memory memory);
    // The whole image in colour: the first row written, the others as above
    // it on an image's canvas, written on other canvases.
    void Ground(COLORREF colour);
    uint8_t* RowAt(int y) const { return dib_.bits_ + static_cast<size_t>(y) * static_cast<size_t>(Stride()); }
    // The row whose bytes row y shows.
    int SourceOf(int y) const;
    // Row y holds its own pixels.
    void WriteRow(int y) const;
    // Rows [top, bottom) hold their own pixels, and so does the row below
    // them: it must not follow rows that are about to change.
    void WriteRows(int top, int bottom) const;

    win32::CreatedDc dc_;
    Memory dib_;
    std::optional<win32::Selection> selected_;
    int width_ = 0;
    int height_ = 0;
    bool rowsOnDemand_ = false;
    int openTop_ = 0;
    int openBottom_ = 0;
    bool clippedToOpenRows_ = false;
    // Writing a row shown as the row above changes no pixel the image shows,
    // so const readers may do it.
    mutable std::vector<uint8_t> asAbove_;
    // The DC was handed out since GDI's queue was last flushed: a box filled
    // in the pixels must wait for what GDI may still have to draw.
    mutable bool gdiMayHaveDrawn_ = true;
};

}  // namespace quillant::forms
