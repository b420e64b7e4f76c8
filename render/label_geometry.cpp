#include "render/label_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "encoding/vb_error.h"
#include "render/label_orientation.h"
#include "render/whole_numbers.h"

namespace quillant::render {
namespace {

constexpr int16_t kTwipsScale = 1;
constexpr int16_t kPixelScale = 3;
constexpr double kTwipsPerInch = 1440;

// A dot of the given resolution in the target's units; a target without
// ScaleX/ScaleY is taken to measure in twips.
DotSize DotOfResolution(DrawingObject* object, int32_t dpi) {
    const double twips = kTwipsPerInch / dpi;
    if (!object) return DotSize{twips, twips};
    return DotSize{object->ScaleX(twips, kTwipsScale).value_or(twips), object->ScaleY(twips, kTwipsScale).value_or(twips)};
}

double Checked(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<int32_t>::max()) throw vb_errors::Overflow();
    return value;
}

// The grid the layout is computed on: device dots, or the target's own
// units when the dots are unknown. On dots a box's far corner is its last
// dot (Line includes both corners); in units there is nothing finer to
// step back to.
struct Grid {
    double dx;
    double dy;
    double farStep;

    Box ToBox(double xLow, double yLow, double xHigh, double yHigh) const {
        return Box{Checked(xLow * dx), Checked(yLow * dy), Checked((xHigh - farStep) * dx),
                   Checked((yHigh - farStep) * dy)};
    }
};

}  // namespace

std::optional<DotSize> LearnDotSize(DrawingObject* object, const LabelProperties& properties) {
    if (properties.snapToDevice == 0) return std::nullopt;
    if (properties.deviceResolution > 0) return DotOfResolution(object, properties.deviceResolution);
    if (!object) return std::nullopt;
    const std::optional<double> x = object->ScaleX(1, kPixelScale);
    if (!x) return std::nullopt;
    const std::optional<double> y = object->ScaleY(1, kPixelScale);
    if (!y) return std::nullopt;
    // A target that answers nonsense cannot be snapped to.
    if (!(*x > 0 && *y > 0 && std::isfinite(*x) && std::isfinite(*y))) return std::nullopt;
    return DotSize{*x, *y};
}

LabelGeometry LayOut(const LabelProperties& p, std::string_view modules, std::optional<DotSize> dots) {
    // An orientation Quillant2 does not draw is measured as horizontal.
    const LabelOrientation* found = FindLabelOrientation(p.orientation);
    const LabelOrientation& turn = found ? *found : kLabelOrientations[0];
    const bool along = !turn.runsDown;
    const bool snapped = dots.has_value();
    const Grid grid = snapped ? Grid{dots->x, dots->y, 1} : Grid{1, 1, 0};
    const double alongDot = along ? grid.dx : grid.dy;
    const double acrossDot = along ? grid.dy : grid.dx;

    // Sizes and origin on the grid: whole dots when snapped.
    double module = p.elementWidth;
    double height = p.barHeight;
    double originX = p.xPosition;
    double originY = p.yPosition;
    double reduction = module * p.barWidthReduction / 100.0;
    if (snapped) {
        module = std::max(1.0, Round(p.elementWidth / alongDot));
        height = std::max(1.0, Round(p.barHeight / acrossDot));
        originX = Round(p.xPosition / grid.dx);
        originY = Round(p.yPosition / grid.dy);
        // The nearest whole dots, a tie going to the smaller reduction: 25 %
        // of a two-dot module is no dot, not one, which would halve every
        // narrow bar and leave readers that measure single elements (ZXing)
        // unable to read the symbol.
        reduction = std::ceil(module * p.barWidthReduction / 100.0 - 0.5);
    }
    const double quiet = p.quietZones != 0 ? label_limits::kQuietZoneModules * module : 0;
    const double symbolLength = CountAsDouble(modules.size()) * module;
    const double total = symbolLength + 2 * quiet;

    // [a, b) along the reading direction and the whole bar height, in the
    // target's orientation.
    auto place = [&](double a, double b) {
        const double origin = turn.runsDown ? originY : originX;
        const double low = turn.readsBack ? origin + total - b : origin + a;
        const double high = turn.readsBack ? origin + total - a : origin + b;
        return turn.runsDown ? grid.ToBox(originX, low, originX + height, high)
                             : grid.ToBox(low, originY, high, originY + height);
    };

    LabelGeometry geometry;
    geometry.area = place(0, total);
    geometry.bars.reserve(modules.size() / 2 + 1);  // a bar is at least one module, a space another
    for (size_t i = 0; i < modules.size();) {
        if (modules[i] != '1') {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < modules.size() && modules[end] == '1') ++end;
        const double width = CountAsDouble(end - i) * module;
        // Narrowed by the reduction, never below one dot, and evenly on both
        // sides so that the bar stays centred on its modules.
        const double narrowing = snapped ? std::min(reduction, width - 1) : reduction;
        const double before = snapped ? Floor(narrowing / 2) : narrowing / 2;
        const double start = quiet + CountAsDouble(i) * module;
        geometry.bars.push_back(place(start + before, start + width - (narrowing - before)));
        i = end;
    }

    // The bars' extent as edges, whatever the orientation.
    const Grid edges{grid.dx, grid.dy, 0};
    geometry.symbol =
        turn.runsDown ? edges.ToBox(originX, originY + quiet, originX + height, originY + quiet + symbolLength)
                      : edges.ToBox(originX + quiet, originY, originX + quiet + symbolLength, originY + height);
    geometry.moduleWidth = module * alongDot;
    geometry.length = Checked(total * alongDot);
    return geometry;
}

}  // namespace quillant::render
