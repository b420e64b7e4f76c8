#pragma once
// Writes 24-bit pixel rows to a PNG or BMP file through WIC, the format
// chosen by the file's extension. Rows may come in bands, so that a large
// page never has to be in memory whole.

#include <wincodec.h>

#include <cstdint>
#include <string>

#include "win32/com_ptr.h"

namespace quillant::forms {

enum class ImageFormat { kPng, kBmp };

// Case-insensitive ".png" or ".bmp"; anything else, and a name no file can
// have, raises error 5.
ImageFormat ImageFormatOf(const std::wstring& path);

class ImageFileWriter {
public:
    // Raises error 75 when the file cannot be created.
    ImageFileWriter(const std::wstring& path, int width, int height);
    // rows blue-green-red rows, stride bytes apart, top row first.
    void WriteRows(const uint8_t* rows, int count, int stride);
    // Finishes the file; without it the file is incomplete.
    void Commit();

private:
    void Check(HRESULT hr, const char* step) const;

    std::wstring path_;
    win32::ComPtr<IWICImagingFactory> factory_;
    win32::ComPtr<IWICStream> stream_;
    win32::ComPtr<IWICBitmapEncoder> encoder_;
    win32::ComPtr<IWICBitmapFrameEncode> frame_;
};

}  // namespace quillant::forms
