#pragma once
// Runs of bytes compared and filled a word at a time. The memcmp and memset
// that Windows programs link against are byte loops under Wine, and a
// picture's rows are compared and filled a hundred kilobytes at a time.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace quillant::render {

inline bool SameBytes(const uint8_t* a, const uint8_t* b, size_t count) {
    if (count < 8) {
        for (size_t i = 0; i < count; ++i) {
            if (a[i] != b[i]) return false;
        }
        return true;
    }
    size_t i = 0;
    // Four words a turn, one branch: equal rows are read whole.
    for (; i + 32 <= count; i += 32) {
        uint64_t x[4];
        uint64_t y[4];
        std::memcpy(x, a + i, 32);
        std::memcpy(y, b + i, 32);
        if (((x[0] ^ y[0]) | (x[1] ^ y[1]) | (x[2] ^ y[2]) | (x[3] ^ y[3])) != 0) return false;
    }
    uint64_t x;
    uint64_t y;
    for (; i + 8 <= count; i += 8) {
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return false;
    }
    std::memcpy(&x, a + count - 8, 8);  // the tail, overlapping
    std::memcpy(&y, b + count - 8, 8);
    return x == y;
}

// The tail is stored overlapping, never byte by byte: a loop of byte
// stores is one the compiler turns back into a call to memset.
inline void FillBytes(uint8_t* to, uint8_t value, size_t count) {
    const uint64_t word = 0x0101010101010101u * value;
    if (count >= 8) {
        for (size_t i = 0; i + 8 <= count; i += 8) std::memcpy(to + i, &word, 8);
        std::memcpy(to + count - 8, &word, 8);
    } else if (count >= 4) {
        std::memcpy(to, &word, 4);
        std::memcpy(to + count - 4, &word, 4);
    } else if (count >= 2) {
        std::memcpy(to, &word, 2);
        std::memcpy(to + count - 2, &word, 2);
    } else if (count == 1) {
        *to = value;
    }
}

}  // namespace quillant::render
