#pragma once
// What the stand-in tests share: fresh objects reached by name, pixels read
// straight from a picture box's DC, image files read back through WIC.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/late_bound.h"

namespace quillant::forms::testing {

using quillant::testing::Arg;
using quillant::testing::LateBound;

LateBound NewPictureBox();
LateBound NewPrinter();
LateBound NewPrinters();  // QuillantForms.Printers

// The modules of "AB": start B, A, B, check 102, stop.
inline const std::string kModulesOfAB = "110100100001010001100010001011000111101011101100011101011";

struct Ink {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // inclusive
    bool Empty() const { return left > right; }
    int Width() const { return Empty() ? 0 : right - left + 1; }
    int Height() const { return Empty() ? 0 : bottom - top + 1; }
};
// The bounding box of the pixels of dc (0..width, 0..height) not equal to ground.
Ink InkOn(HDC dc, int width, int height, COLORREF ground);

// A decoded image file, 24-bit BGR rows.
struct DecodedImage {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> bgr;
    COLORREF Pixel(UINT x, UINT y) const {
        const BYTE* p = &bgr[(static_cast<size_t>(y) * width + x) * 3];
        return RGB(p[2], p[1], p[0]);
    }
};
// Throws std::runtime_error when the file cannot be read.
DecodedImage ReadImage(const std::wstring& path);

bool FileExists(const std::wstring& path);
void RemoveFile(const std::wstring& path);

}  // namespace quillant::forms::testing
