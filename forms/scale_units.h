#pragma once
// Scale units to device pixels.
//
// The rule: a coordinate u in scale units lies at p = u * dpi / unitsPerInch
// device pixels, and the pixel that holds it is floor(p + 0.5). A box from
// (x1, y1) to (x2, y2) covers every pixel from the lower to the higher of the
// two corner pixels, both included. At an integer pixel scale this is exact:
// with ScaleMode 3 a module Line'd from x = 3(i-1) to 3i covers pixels 3(i-1)
// to 3i, the next module repaints pixel 3i, and every module but the last
// keeps exactly 3 pixels.
//
// The product is formed before the division so that whole twips, points and
// pixels that land on whole pixels do so without rounding error (15 twips at
// 96 dpi: 15 * 96 / 1440 is exactly 1).

#include <cstdint>
#include <optional>

#include "render/whole_numbers.h"

namespace quillant::forms {

// The two directions of a page: across (X) and down (Y).
enum class Axis { kX, kY };

// The object's ScaleMode values the stand-ins support, with their units per inch.
struct ScaleModeRow {
    int16_t mode;
    double unitsPerInch;  // 0: the device's own pixels
};
inline constexpr ScaleModeRow kScaleModes[] = {
    {1, 1440.0},  // twips
    {2, 72.0},    // points
    {3, 0.0},     // pixels
    {5, 1.0},     // inches
    {6, 25.4},    // millimetres
    {7, 2.54},    // centimetres
};
inline constexpr int16_t kTwips = 1;
inline constexpr int16_t kPixels = 3;
inline constexpr double kTwipsPerInch = 1440.0;
// ScaleX and ScaleY also convert from and to hundredths of a millimetre,
// their default source, which no object uses as its ScaleMode.
inline constexpr int16_t kHimetric = 8;
inline constexpr double kHimetricPerInch = 2540.0;

class UnitScale {
public:
    // Null for a ScaleMode the stand-ins do not support.
    static std::optional<UnitScale> For(int16_t mode, double dpi) {
        for (const ScaleModeRow& row : kScaleModes) {
            if (row.mode == mode) return UnitScale(dpi, row.unitsPerInch > 0 ? row.unitsPerInch : dpi);
        }
        return std::nullopt;
    }
    static UnitScale Twips(double dpi) { return UnitScale(dpi, kTwipsPerInch); }
    // As For, and hundredths of a millimetre too.
    static std::optional<UnitScale> ForConversion(int16_t mode, double dpi) {
        if (mode == kHimetric) return UnitScale(dpi, kHimetricPerInch);
        return For(mode, dpi);
    }

    double ToPixels(double units) const { return units * dpi_ / unitsPerInch_; }
    double ToUnits(double pixels) const { return pixels * unitsPerInch_ / dpi_; }
    // The pixel that holds a coordinate. Out-of-range values clamp to what
    // GDI coordinates can carry rather than overflow.
    int32_t PixelOf(double units) const {
        const double p = render::Floor(ToPixels(units) + 0.5);
        if (!(p > kLowest)) return static_cast<int32_t>(kLowest);
        if (p > kHighest) return static_cast<int32_t>(kHighest);
        return render::WholeToInt32(p);
    }
    // The same length in another scale.
    double Convert(double units, const UnitScale& to) const { return units * dpi_ / unitsPerInch_ * to.unitsPerInch_ / to.dpi_; }

private:
    UnitScale(double dpi, double unitsPerInch) : dpi_(dpi), unitsPerInch_(unitsPerInch) {}

    // GDI keeps coordinates within 27 bits.
    static constexpr double kLowest = -(1 << 27);
    static constexpr double kHighest = (1 << 27);

    double dpi_;
    double unitsPerInch_;
};

}  // namespace quillant::forms
