#include "encoding/vb_numbers.h"

#include <cmath>
#include <limits>

#include "encoding/vb_error.h"

namespace quillant::vb {
namespace {

template <typename Int>
Int RoundHalfEven(double value) {
    // nearbyint honours the default rounding mode, round-half-to-even, which is
    // what CInt/CLng do. NaN compares false both ways, so it is rejected too.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        throw vb_errors::Overflow();
    }
    return static_cast<Int>(rounded);
}

template <typename Int>
Int Checked(int64_t value) {
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
        throw vb_errors::Overflow();
    }
    return static_cast<Int>(value);
}

}  // namespace

int16_t ToInt16(double value) { return RoundHalfEven<int16_t>(value); }
int32_t ToInt32(double value) { return RoundHalfEven<int32_t>(value); }

// Operands are at most 32 bits wide, so the 64-bit intermediate cannot itself overflow.
int16_t Add16(int32_t a, int32_t b) { return Checked<int16_t>(int64_t{a} + b); }
int16_t Mul16(int32_t a, int32_t b) { return Checked<int16_t>(int64_t{a} * b); }
int32_t Add32(int32_t a, int32_t b) { return Checked<int32_t>(int64_t{a} + b); }
int32_t Sub32(int32_t a, int32_t b) { return Checked<int32_t>(int64_t{a} - b); }
int32_t Mul32(int32_t a, int32_t b) { return Checked<int32_t>(int64_t{a} * b); }

bool FitsInt16(int64_t value) {
    return value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max();
}
bool FitsInt32(int64_t value) {
    return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
}

}  // namespace quillant::vb
