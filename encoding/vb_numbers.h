#pragma once
// Integer arithmetic with Visual Basic's rules: a double becomes an integer by
// rounding half to even, and any 16- or 32-bit result out of range raises
// error 6 "Overflow" instead of wrapping.

#include <cstdint>

namespace quillant::vb {

int16_t ToInt16(double value);
int32_t ToInt32(double value);

int16_t Add16(int32_t a, int32_t b);
int16_t Mul16(int32_t a, int32_t b);
int32_t Add32(int32_t a, int32_t b);
int32_t Sub32(int32_t a, int32_t b);
int32_t Mul32(int32_t a, int32_t b);

// Range checks without the arithmetic, for callers that verify ahead of time.
bool FitsInt16(int64_t value);
bool FitsInt32(int64_t value);

}  // namespace quillant::vb
