#pragma once
// Writes 24-bit pixel rows to a PNG or BMP file, the format chosen by the
// file's extension, with the project's own writers (render/png_file.h,
// render/pixel_rows.h), the same that make the image members' bytes. Rows
// may come in bands, so that a large page never has to be in memory whole
// as a PNG. A PNG may be written with fewer bits a pixel when its pixels
// allow: a 600-dpi page is 100 MB of 24-bit pixels.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/pixel_rows.h"
#include "render/png_file.h"
#include "win32/kernel_handle.h"

namespace quillant::forms {

enum class ImageFormat { kPng, kBmp };

// Case-insensitive ".png" or ".bmp"; anything else, and a name no file can
// have, raises error 5.
ImageFormat ImageFormatOf(const std::wstring& path);

using render::DepthOf;
using render::PackedRowBytes;
using render::PackRow;
using render::PixelDepth;

class ImageFileWriter {
public:
    // Raises error 75 when the file cannot be created or written. A BMP is
    // always written in colour; a PNG at depth, which must hold every pixel
    // given (DepthOf). dpi 0 records no resolution.
    ImageFileWriter(const std::wstring& path, int width, int height, PixelDepth depth = PixelDepth::kColour,
                    int32_t dpi = 0);
    // rows blue-green-red rows, stride bytes apart, top row first.
    void WriteRows(const uint8_t* rows, int count, int stride);
    // rows already at the writer's depth (PackRow), stride bytes apart.
    void WritePackedRows(const uint8_t* rows, int count, size_t stride);
    // Finishes the file; without it the file is incomplete.
    void Commit();

private:
    void Write(const uint8_t* bytes, size_t count);

    std::string what_;  // the file, as descriptions quote it
    int width_;
    PixelDepth depth_;
    int32_t dpi_;
    win32::KernelHandle file_;
    std::optional<render::PngWriter> png_;
    std::vector<uint8_t> row_;     // one row at depth_, below colour
    std::vector<uint8_t> pixels_;  // a BMP's rows, DIB-padded, until Commit
    int rows_ = 0;
};

}  // namespace quillant::forms
