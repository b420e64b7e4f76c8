#pragma once
// Sixteen bytes a step, where the processor can. Every 64-bit x86 processor
// has SSE2, so the 64-bit build uses it throughout. The 32-bit build is the
// one most hosts load (Visual Basic 6, most Office installs, classic ASP
// pools), and a 32-bit host may still run on a processor from before SSE2:
// there the row loops that gain most are compiled for SSE2 as well
// (QUILLANT_SSE2_KERNEL) and taken only when the processor says it has it.

#if defined(__x86_64__) || defined(__i386__)
#define QUILLANT_SSE2 1
#include <cpuid.h>
#include <emmintrin.h>
#include <tmmintrin.h>
#if defined(__SSE2__)
#define QUILLANT_SSE2_KERNEL
#else
#define QUILLANT_SSE2_KERNEL __attribute__((target("sse2")))
#endif
// SSSE3's byte shuffle gathers every third byte of a row, which SSE2 has no
// step for; neither build may assume it (x86-64's baseline is SSE2), so
// both ask.
#define QUILLANT_SSSE3_KERNEL __attribute__((target("ssse3")))
#else
#define QUILLANT_SSE2 0
#endif

namespace quillant::render {

#if QUILLANT_SSE2
// Asked once: under a hypervisor, cpuid is a trap to it.
inline bool ProcessorHas(unsigned ecxBit, unsigned edxBit) {
    static const unsigned long long features = [] {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return 0ull;
        return (static_cast<unsigned long long>(ecx) << 32) | edx;
    }();
    return (features & ((static_cast<unsigned long long>(ecxBit) << 32) | edxBit)) != 0;
}

#if defined(__SSE2__)
constexpr bool Sse2Available() { return true; }
#else
inline bool Sse2Available() { return ProcessorHas(0, bit_SSE2); }
#endif
inline bool Ssse3Available() { return ProcessorHas(bit_SSSE3, 0); }

// Unaligned loads and stores only: a 32-bit Windows caller's stack, and a
// row's start, are not sixteen-byte aligned.
QUILLANT_SSE2_KERNEL inline __m128i BlockAt(const unsigned char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
QUILLANT_SSE2_KERNEL inline void StoreBlock(unsigned char* p, __m128i block) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), block);
}
#endif

}  // namespace quillant::render
