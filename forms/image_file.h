#pragma once
// Writes 24-bit pixel rows to a PNG or BMP file through WIC, the format
// chosen by the file's extension. Rows may come in bands, so that a large
// page never has to be in memory whole. A PNG may be written with fewer bits
// a pixel when its pixels allow: a 600-dpi page is 100 MB of 24-bit pixels,
// and compressing them is most of the time it takes to write.

#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win32/com_ptr.h"

namespace quillant::forms {

enum class ImageFormat { kPng, kBmp };

// Case-insensitive ".png" or ".bmp"; anything else, and a name no file can
// have, raises error 5.
ImageFormat ImageFormatOf(const std::wstring& path);

// What a picture's pixels need: black and white only (one bit a pixel),
// greys (a byte), colours (three bytes), or colours with their opacity
// (blue-green-red-alpha, PNG only; never chosen by DepthOf).
enum class PixelDepth { kBlackWhite, kGrey, kColour, kColourAlpha };

// The least depth that holds every pixel of count blue-green-red rows of
// width pixels, stride bytes apart, and at least atLeast.
PixelDepth DepthOf(const uint8_t* rows, int width, int count, int stride, PixelDepth atLeast);

// One row of width blue-green-red pixels at depth (grey or black and white):
// a grey pixel is its blue byte; in black and white a set bit is white, the
// leftmost pixel the highest bit. out holds PackedRowBytes(width, depth).
size_t PackedRowBytes(int width, PixelDepth depth);
void PackRow(const uint8_t* pixels, int width, PixelDepth depth, uint8_t* out);

class ImageFileWriter {
public:
    // Raises error 75 when the file cannot be created. A BMP is always
    // written in colour; a PNG at depth, which must hold every pixel given
    // (DepthOf).
    ImageFileWriter(const std::wstring& path, int width, int height, PixelDepth depth = PixelDepth::kColour);
    // The same into a stream; its failures raise error 75 naming what.
    ImageFileWriter(IStream* stream, ImageFormat format, const std::string& what, int width, int height,
                    PixelDepth depth);
    // rows blue-green-red rows, stride bytes apart, top row first.
    void WriteRows(const uint8_t* rows, int count, int stride);
    // rows already at the writer's depth (PackRow), stride bytes apart.
    void WritePackedRows(const uint8_t* rows, int count, size_t stride);
    // Finishes the file; without it the file is incomplete.
    void Commit();

private:
    void Start(ImageFormat container, int width, int height);
    void Check(HRESULT hr, const char* step) const;

    std::string what_;  // the file or stream, as descriptions quote it
    int width_;
    PixelDepth depth_;
    std::vector<uint8_t> row_;  // one row at depth_, below colour
    win32::ComPtr<IWICImagingFactory> factory_;
    win32::ComPtr<IWICStream> stream_;
    win32::ComPtr<IWICBitmapEncoder> encoder_;
    win32::ComPtr<IWICBitmapFrameEncode> frame_;
};

}  // namespace quillant::forms
