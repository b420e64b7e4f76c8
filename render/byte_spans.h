#pragma once
// Runs of bytes compared and filled a word, or sixteen bytes, at a time.
// The memcmp and memset that Windows programs link against are byte loops
// under Wine, and a picture's rows are compared and filled a hundred
// kilobytes at a time.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "render/sse2.h"

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "CommonPrefix counts equal bytes from a word's low end"
#endif

namespace quillant::render {

inline uint64_t WordAt(const uint8_t* p) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// A 32-bit build's own word.
inline uint32_t Word32At(const uint8_t* p) {
    uint32_t word;
    std::memcpy(&word, p, 4);
    return word;
}

#if QUILLANT_SSE2
// A bit for each of sixteen bytes that differ.
QUILLANT_SSE2_KERNEL inline unsigned DifferingBytes(const uint8_t* a, const uint8_t* b) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(BlockAt(a), BlockAt(b)))) ^ 0xFFFFu;
}

// count at least 16.
QUILLANT_SSE2_KERNEL inline bool SameBlocks(const uint8_t* a, const uint8_t* b, size_t count) {
    size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m128i same = _mm_and_si128(_mm_cmpeq_epi8(BlockAt(a + i), BlockAt(b + i)),
                                           _mm_cmpeq_epi8(BlockAt(a + i + 16), BlockAt(b + i + 16)));
        if (_mm_movemask_epi8(same) != 0xFFFF) return false;
    }
    if (i + 16 <= count && DifferingBytes(a + i, b + i) != 0) return false;
    return DifferingBytes(a + count - 16, b + count - 16) == 0;  // the tail, overlapping
}

// count at least 16.
QUILLANT_SSE2_KERNEL inline void CopyBlocks(uint8_t* to, const uint8_t* from, size_t count) {
    const __m128i tail = BlockAt(from + count - 16);
    for (size_t i = 0; i + 16 <= count; i += 16) StoreBlock(to + i, BlockAt(from + i));
    StoreBlock(to + count - 16, tail);
}
#endif

// The loops a processor without SSE2 takes (and SSE2's for the shortest
// spans).
inline bool SameWords(const uint8_t* a, const uint8_t* b, size_t count) {
    if (count < 8) {
        for (size_t i = 0; i < count; ++i) {
            if (a[i] != b[i]) return false;
        }
        return true;
    }
    size_t i = 0;
    // Four words a turn, one branch: equal rows are read whole.
    for (; i + 32 <= count; i += 32) {
        const uint64_t differ = (WordAt(a + i) ^ WordAt(b + i)) | (WordAt(a + i + 8) ^ WordAt(b + i + 8)) |
                                (WordAt(a + i + 16) ^ WordAt(b + i + 16)) | (WordAt(a + i + 24) ^ WordAt(b + i + 24));
        if (differ != 0) return false;
    }
    for (; i + 8 <= count; i += 8) {
        if (WordAt(a + i) != WordAt(b + i)) return false;
    }
    return WordAt(a + count - 8) == WordAt(b + count - 8);  // the tail, overlapping
}

inline bool SameBytes(const uint8_t* a, const uint8_t* b, size_t count) {
#if QUILLANT_SSE2
    if (count >= 16 && Sse2Available()) return SameBlocks(a, b, count);
#endif
    return SameWords(a, b, count);
}

// How many bytes from the start of a and b are equal, up to count; a may
// overlap b (a run is a compared with a - 1). Words of the build's own
// width: in a 32-bit build a 64-bit word is two, and a longer chain.
inline size_t CommonPrefix(const uint8_t* a, const uint8_t* b, size_t count) {
    size_t i = 0;
#if defined(__SSE2__)
    // Only where SSE2 is always there: a match is often a few bytes long,
    // and asking the processor first would cost more than it saves.
    for (; i + 16 <= count; i += 16) {
        const unsigned differ = DifferingBytes(a + i, b + i);
        if (differ != 0) return i + static_cast<size_t>(__builtin_ctz(differ));
    }
#endif
#if UINTPTR_MAX > 0xFFFFFFFFu
    for (; i + 8 <= count; i += 8) {
        const uint64_t differ = WordAt(a + i) ^ WordAt(b + i);
        if (differ != 0) return i + static_cast<size_t>(__builtin_ctzll(differ)) / 8;  // little-endian
    }
#else
    for (; i + 4 <= count; i += 4) {
        const uint32_t differ = Word32At(a + i) ^ Word32At(b + i);
        if (differ != 0) return i + static_cast<size_t>(__builtin_ctz(differ)) / 8;  // little-endian
    }
#endif
    while (i < count && a[i] == b[i]) ++i;
    return i;
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

inline void CopyWords(uint8_t* to, const uint8_t* from, size_t count) {
    if (count >= 8) {
        const uint64_t tail = WordAt(from + count - 8);
        for (size_t i = 0; i + 8 <= count; i += 8) {
            const uint64_t word = WordAt(from + i);
            std::memcpy(to + i, &word, 8);
        }
        std::memcpy(to + count - 8, &tail, 8);
    } else {
        for (size_t i = 0; i < count; ++i) to[i] = from[i];
    }
}

// Copies count bytes forward a word (or sixteen bytes) at a time, the tail
// stored overlapping: to may overlap from only where it lies at least
// sixteen bytes before it.
inline void CopyBytes(uint8_t* to, const uint8_t* from, size_t count) {
#if QUILLANT_SSE2
    if (count >= 16 && Sse2Available()) {
        CopyBlocks(to, from, count);
        return;
    }
#endif
    CopyWords(to, from, count);
}

}  // namespace quillant::render
