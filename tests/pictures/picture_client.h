#pragma once
// What the picture tests share: Quillant2 objects through IDispatch alone,
// as an ASP page or a .NET host holds them, the Byte() Variant as bytes, and
// pictures GDI drew saved as PNG for the readers and the grader.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "forms/raster_image.h"
#include "tests/support/late_bound.h"

namespace quillant::testing {

// A new Quillant2 from Quillant.dll beside the test, by IDispatch.
LateBound NewLabel();

// The bytes of a VT_ARRAY | VT_UI1 Variant; fails the test for anything else.
std::vector<uint8_t> BytesOf(const win32::Variant& value);

// A white canvas of the size, GDI drawing on it, then saved as PNG.
void SavePng(const forms::RasterImage& canvas, const std::wstring& path);

// Width and height of a PNG's header.
struct Size {
    int width = 0;
    int height = 0;
};
Size PngSize(const std::vector<uint8_t>& png);

}  // namespace quillant::testing
