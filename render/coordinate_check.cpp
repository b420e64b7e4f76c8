#include "render/coordinate_check.h"

#include "encoding/vb_error.h"
#include "encoding/vb_numbers.h"

namespace quillant::render {
namespace {

void Require16(int64_t value) {
    if (!vb::FitsInt16(value)) throw vb_errors::Overflow();
}
void Require32(int64_t value) {
    if (!vb::FitsInt32(value)) throw vb_errors::Overflow();
}

}  // namespace

void CheckCoordinatesFit(const BarcodeProperties& p, int32_t modules) {
    // "along" is the coordinate the modules advance on, "across" the other.
    // Both orientations need the same sums with the roles swapped.
    const bool horizontal = p.orientation == bcHorizontal;
    const int64_t along = horizontal ? p.xPosition : p.yPosition;
    const int64_t across = horizontal ? p.yPosition : p.xPosition;
    const int64_t height = p.barHeight;
    const int64_t symbolLength = int64_t{modules} * p.elementWidth;

    // The pen rests one bar height before the symbol between modules.
    Require32(across - height);
    // Each module's corners as 16-bit integers: the near edge and the far edge
    // across, and along the symbol every multiple of ElementWidth from its
    // start to its end; those lie between the two ends.
    Require16(across);
    Require16(across + height);
    Require16(along);
    Require16(along + symbolLength);

    if (p.visibleCode != 0) {
        Require32(across + height);  // the caption's base line or edge
        Require32(symbolLength);     // centring
        if (p.indentedCode != 0) Require16(2 * int64_t{p.elementWidth});  // the notch's far margin
    }
}

}  // namespace quillant::render
