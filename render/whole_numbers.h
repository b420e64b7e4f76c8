#pragma once
// Whole numbers of doubles without the C library: the 32-bit msvcrt's floor
// runs in the system's libm under Wine, a call out of the process's own code
// for every box of a symbol.

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace quillant::render {

#if defined(__i386__) && !defined(__SSE2__)
// The x87 stores an integer rounded as its control word says. A cast rounds
// toward zero whatever that says, and costs two control word loads that hold
// up every floating-point instruction after them: eight per box drawn.
// Within +-2^30, as the callers ensure; a whole number comes out as it is
// under any rounding.
inline int32_t StoredAsInteger(double x) {
    int32_t stored;
    __asm__("fistpl %0" : "=m"(stored) : "t"(x) : "st");
    return stored;
}
#endif

// std::floor's value.
inline double Floor(double x) {
#if defined(__i386__) && !defined(__SSE2__)
    if (!(x > -1073741824.0 && x < 1073741824.0)) return std::floor(x);
    // The integer stored is within one half of x, or at most one away when
    // rounding up or down: floor is it, or the integer below it.
    const auto stored = static_cast<double>(StoredAsInteger(x));
    return stored > x ? stored - 1 : stored;
#else
    if (!(x > -2147483648.0 && x < 2147483647.0)) return std::floor(x);
    const auto toward = static_cast<double>(static_cast<int32_t>(x));  // toward zero
    return toward > x ? toward - 1 : toward;
#endif
}

// std::round's value, halves away from zero: the C library's is a call, and
// in the 32-bit build a slow one, on every layout.
inline double Round(double x) {
#if defined(__i386__) && !defined(__SSE2__)
    // As a call would take it: rounded to a double, not the x87's wider
    // value of the expression it came from.
    __asm__("" : "+m"(x));
#endif
    if (x == 0) return x;
    if (!(x > -1073741824.0 && x < 1073741824.0)) return std::round(x);
    if (x < 0) return -Round(-x);
    const double below = Floor(x);
    return x - below >= 0.5 ? below + 1 : below;  // exact: both within 2^30
}

// A count as a double. The 32-bit build converts a size_t through a 64-bit
// integer load, which waits on the two 32-bit stores that made it.
inline double CountAsDouble(size_t count) {
    return count <= INT32_MAX ? static_cast<double>(static_cast<int32_t>(count)) : static_cast<double>(count);
}

// A whole number within +-2^30 as an int32_t.
inline int32_t WholeToInt32(double whole) {
#if defined(__i386__) && !defined(__SSE2__)
    return StoredAsInteger(whole);
#else
    return static_cast<int32_t>(whole);
#endif
}

}  // namespace quillant::render
