#include "forms/page_setup.h"

#include <climits>
#include <cstdint>
#include <numeric>

namespace quillant::forms {
namespace {

constexpr int64_t kHimetricPerInch = 2540;

// The ratio numerator / denominator as GDI extents, which are ints.
SIZE ReducedPair(int64_t numerator, int64_t denominator) {
    const int64_t divisor = std::gcd(numerator, denominator);
    if (divisor > 0) {
        numerator /= divisor;
        denominator /= divisor;
    }
    while (numerator > INT_MAX || denominator > INT_MAX) {
        numerator /= 2;
        denominator /= 2;
    }
    return SIZE{static_cast<LONG>(numerator), static_cast<LONG>(denominator)};
}

}  // namespace

RECT PageSetup::FrameHimetric() const {
    return RECT{0, 0, static_cast<LONG>(int64_t{pixelWidth} * kHimetricPerInch / dpi),
                static_cast<LONG>(int64_t{pixelHeight} * kHimetricPerInch / dpi)};
}

void MapPrinterPixels(HDC dc, const PageSetup& page) {
    // Device pixels for one printer pixel: (2540 / dpi) hundredths of a mm
    // times (HORZRES / (100 * HORZSIZE)) device pixels per hundredth of a mm.
    const int64_t devicePixelsX = GetDeviceCaps(dc, HORZRES), millimetresX = GetDeviceCaps(dc, HORZSIZE);
    const int64_t devicePixelsY = GetDeviceCaps(dc, VERTRES), millimetresY = GetDeviceCaps(dc, VERTSIZE);
    const SIZE x = ReducedPair(int64_t{page.dpi} * 100 * millimetresX, kHimetricPerInch * devicePixelsX);
    const SIZE y = ReducedPair(int64_t{page.dpi} * 100 * millimetresY, kHimetricPerInch * devicePixelsY);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, x.cx, y.cx, nullptr);
    SetViewportExtEx(dc, x.cy, y.cy, nullptr);
}

std::wstring BeforeExtension(const std::wstring& path, const std::wstring& insert) {
    const size_t slash = path.find_last_of(L"\\/");
    size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) dot = path.size();
    return path.substr(0, dot) + insert + path.substr(dot);
}

std::wstring PageFileName(const std::wstring& path, size_t index) {
    if (index == 0) return path;
    return BeforeExtension(path, L"-" + std::to_wstring(index + 1));
}

}  // namespace quillant::forms
