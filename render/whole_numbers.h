#pragma once
// Whole numbers of doubles without the C library: the 32-bit msvcrt's floor
// runs in the system's libm under Wine, a call out of the process's own code
// for every box of a symbol.

#include <cmath>
#include <cstdint>

namespace quillant::render {

// std::floor's value.
inline double Floor(double x) {
    if (!(x > -2147483648.0 && x < 2147483647.0)) return std::floor(x);
    const auto toward = static_cast<double>(static_cast<int32_t>(x));  // toward zero
    return toward > x ? toward - 1 : toward;
}

}  // namespace quillant::render
