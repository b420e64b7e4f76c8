#pragma once
// The image formats of ImageBytes and SaveImage, by name and by file
// extension, and the colours images are drawn in.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillant::component {

enum class ImageFormat { kPng, kBmp, kEmf, kSvg, kDib };

// Error 380 for a name that is none of "png", "bmp", "emf", "svg", "dib"
// (any case).
ImageFormat ImageFormatNamed(std::u16string_view name);

// From the file name's extension: error 5 for a name no file can have or
// one with no image extension.
ImageFormat ImageFormatOfFile(const std::wstring& path);

// OLE colours of ForeColor and BackColor. A BackColor of -1 (&HFFFFFFFF) is
// no ground at all, for PNG and SVG.
constexpr uint32_t kTransparent = 0xFFFFFFFF;
struct ImageColours {
    uint32_t fore = 0x000000;
    uint32_t back = 0xFFFFFF;
};

// Whether an OLE colour can be drawn: an RGB value or a system colour.
bool IsOleColour(uint32_t colour);

}  // namespace quillant::component
