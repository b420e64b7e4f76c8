#pragma once
// A 24-bit top-down DIB section selected into its own memory DC: the pixels of
// a picture box, and the bands of a printed page on their way to a PNG file.
// The DC stays the same for the image's life, resizes included, so that a
// font a caller selected into it stays selected.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "win32/gdi_object.h"

namespace quillant::forms {

class RasterImage {
public:
    // Raises error 480 when the bitmap cannot be made (too large, no memory).
    RasterImage(int width, int height, COLORREF ground);
    RasterImage(const RasterImage&) = delete;
    RasterImage& operator=(const RasterImage&) = delete;
    ~RasterImage();

    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes per row, rows padded to four bytes as DIBs are.
    int Stride() const { return StrideOf(width_); }
    // The pixels, blue-green-red, after any pending GDI drawing.
    const uint8_t* Bits() const;
    const BITMAPINFO& Info() const { return info_; }

    void Fill(COLORREF colour);
    // CLR_INVALID outside the image.
    COLORREF Pixel(int x, int y) const;
    // Keeps the pixels that fit, grounds the rest in ground.
    void Resize(int width, int height, COLORREF ground);
    // A new bitmap holding a copy of the pixels, for a picture object to own.
    win32::Bitmap CopyBitmap() const;

    static int StrideOf(int width) { return (width * 3 + 3) & ~3; }

private:
    struct Dib {
        win32::Bitmap bitmap;
        uint8_t* bits = nullptr;
    };
    static Dib MakeDib(const BITMAPINFO& info, int width, int height);

    win32::CreatedDc dc_;
    Dib dib_;
    std::optional<win32::Selection> selected_;
    BITMAPINFO info_ = {};
    int width_ = 0;
    int height_ = 0;
};

}  // namespace quillant::forms
