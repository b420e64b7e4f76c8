#include "render/pixel_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "encoding/vb_error.h"
#include "render/byte_spans.h"
#include "render/sse2.h"

namespace quillant::render {
namespace {

constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kFileHeaderBytes = 14;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Blue, green, red of an OLE colour (red in the low byte).
struct Bgr {
    uint8_t b, g, r;
};
Bgr BgrOf(Color color) {
    return Bgr{static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8), static_cast<uint8_t>(color)};
}

uint8_t Mix(uint8_t fore, uint8_t ground, uint8_t light) {
    return static_cast<uint8_t>((fore * (255 - light) + ground * light + 127) / 255);
}

// What a row of blue-green-red pixels needs, read eight bytes at a time: a
// caption's edges would make a branch a pixel a guess, and a pixel at a
// time reads a byte at a time. A pixel is coloured where a byte differs
// from the next one of the same pixel; a byte is neither black nor white
// where two of its neighbouring bits differ.
struct RowNeeds {
    bool colour;
    bool grey;
};
// Byte j of a span that starts at a row offset of phase p (mod 3) is
// compared with the next byte unless it is its pixel's last (red).
constexpr bool ComparedWithNext(size_t phase, size_t j) { return (phase + j) % 3 != 2; }
constexpr uint64_t SamePixelMask(size_t phase) {
    uint64_t mask = 0;
    for (size_t j = 0; j < 8; ++j) {
        if (ComparedWithNext(phase, j)) mask |= uint64_t{0xFF} << (8 * j);
    }
    return mask;
}
constexpr uint64_t kSamePixel[3] = {SamePixelMask(0), SamePixelMask(1), SamePixelMask(2)};

#if QUILLANT_SSE2
struct SamePixelBytes {
    alignas(16) uint8_t bytes[3][16];
};
constexpr SamePixelBytes kSamePixelBytes = [] {
    SamePixelBytes masks{};
    for (size_t phase = 0; phase < 3; ++phase) {
        for (size_t j = 0; j < 16; ++j) masks.bytes[phase][j] = ComparedWithNext(phase, j) ? 0xFF : 0;
    }
    return masks;
}();
#endif

#if QUILLANT_SSE2
// The first steps * 48 bytes of a row of at least steps * 48 + 1: sixteen
// bytes a step, three steps a turn (phases 0, 1 and 2); a byte doubled
// shifts its bits one place up. Greys are looked for only where the rows
// so far have none: past the first row of a caption's edges, half the work.
template <bool kGreys>
QUILLANT_SSE2_KERNEL RowNeeds NeedsOfBlocks(const uint8_t* row, size_t steps) {
    const __m128i samePixel0 = BlockAt(kSamePixelBytes.bytes[0]);
    const __m128i samePixel1 = BlockAt(kSamePixelBytes.bytes[1]);
    const __m128i samePixel2 = BlockAt(kSamePixelBytes.bytes[2]);
    const __m128i upperBits = _mm_set1_epi8(static_cast<char>(0xFE));
    __m128i differs = _mm_setzero_si128();
    __m128i middles = _mm_setzero_si128();
    for (size_t i = 0; i < steps * 48; i += 48) {
        const __m128i a = BlockAt(row + i), b = BlockAt(row + i + 16), c = BlockAt(row + i + 32);
        differs = _mm_or_si128(differs, _mm_and_si128(_mm_xor_si128(a, BlockAt(row + i + 1)), samePixel0));
        differs = _mm_or_si128(differs, _mm_and_si128(_mm_xor_si128(b, BlockAt(row + i + 17)), samePixel1));
        differs = _mm_or_si128(differs, _mm_and_si128(_mm_xor_si128(c, BlockAt(row + i + 33)), samePixel2));
        if (!kGreys) continue;
        const __m128i edges = _mm_or_si128(
            _mm_or_si128(_mm_xor_si128(a, _mm_add_epi8(a, a)), _mm_xor_si128(b, _mm_add_epi8(b, b))),
            _mm_xor_si128(c, _mm_add_epi8(c, c)));
        middles = _mm_or_si128(middles, _mm_and_si128(edges, upperBits));
    }
    const __m128i zero = _mm_setzero_si128();
    return RowNeeds{_mm_movemask_epi8(_mm_cmpeq_epi8(differs, zero)) != 0xFFFF,
                    _mm_movemask_epi8(_mm_cmpeq_epi8(middles, zero)) != 0xFFFF};
}
#endif

template <bool kGreys>
RowNeeds NeedsOf(const uint8_t* row, size_t bytes) {
    uint64_t differ = 0;
    uint64_t middle = 0;
    size_t i = 0;
#if QUILLANT_SSE2
    if (bytes >= 49 && Sse2Available()) {
        const size_t steps = (bytes - 1) / 48;
        const RowNeeds blocks = NeedsOfBlocks<kGreys>(row, steps);
        differ = blocks.colour;
        middle = blocks.grey;
        i = steps * 48;
    }
#endif
    // Three words a turn, whose phases are 0, 2 and 1: the masks are then
    // constants and the words' readings independent.
    for (; i + 25 <= bytes; i += 24) {
        const uint64_t a = WordAt(row + i), b = WordAt(row + i + 8), c = WordAt(row + i + 16);
        differ |= ((a ^ WordAt(row + i + 1)) & kSamePixel[0]) | ((b ^ WordAt(row + i + 9)) & kSamePixel[2]) |
                  ((c ^ WordAt(row + i + 17)) & kSamePixel[1]);
        if (kGreys) middle |= ((a ^ (a << 1)) | (b ^ (b << 1)) | (c ^ (c << 1))) & 0xFEFEFEFEFEFEFEFEu;
    }
    for (; i + 9 <= bytes; i += 8) {  // the next byte's word stays in the row
        const uint64_t word = WordAt(row + i);
        differ |= (word ^ WordAt(row + i + 1)) & kSamePixel[i % 3];
        if (kGreys) middle |= (word ^ (word << 1)) & 0xFEFEFEFEFEFEFEFEu;
    }
    bool colour = differ != 0;
    bool grey = middle != 0;
    for (; i < bytes; ++i) {
        if (i % 3 != 2 && row[i] != row[i + 1]) colour = true;
        if (kGreys && static_cast<uint8_t>(row[i] - 1) < 254) grey = true;
    }
    return RowNeeds{colour, grey};
}

size_t DibStride(int32_t width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }

}  // namespace

RowSurvey SurveyRows(const uint8_t* rows, int width, int count, size_t stride, PixelDepth atLeast) {
    return SurveyRows(PixelRows{const_cast<uint8_t*>(rows), width, count, stride}, atLeast);
}

RowSurvey SurveyRows(const PixelRows& rows, PixelDepth atLeast) {
    const int count = rows.height;
    std::vector<uint8_t> repeatsAbove(static_cast<size_t>(std::max(count, 0)), 0);
    PixelDepth depth = atLeast;  // a local: the flags' byte stores could alias a member
    const size_t rowBytes = static_cast<size_t>(rows.width) * 3;
    const uint8_t* above = nullptr;  // the bytes the row above shows
    for (int y = 0; y < count; ++y) {
        // A row that repeats the one above (most of a symbol's) adds nothing.
        if (rows.AsAbove(y)) {
            repeatsAbove[static_cast<size_t>(y)] = 1;
            continue;
        }
        const uint8_t* pixel = rows.bits + static_cast<size_t>(y) * rows.stride;
        const bool repeats = above && SameBytes(pixel, above, rowBytes);
        above = pixel;
        if (repeats) {
            repeatsAbove[static_cast<size_t>(y)] = 1;
            continue;
        }
        if (depth >= PixelDepth::kColour) continue;  // alpha holds colour too
        const RowNeeds needs = depth == PixelDepth::kBlackWhite ? NeedsOf<true>(pixel, rowBytes)
                                                                 : NeedsOf<false>(pixel, rowBytes);
        if (needs.colour) {
            depth = PixelDepth::kColour;
        } else if (needs.grey && depth == PixelDepth::kBlackWhite) {
            depth = PixelDepth::kGrey;
        }
    }
    return RowSurvey{std::move(repeatsAbove), depth};
}

PixelDepth DepthOf(const uint8_t* rows, int width, int count, size_t stride, PixelDepth atLeast) {
    return SurveyRows(rows, width, count, stride, atLeast).depth;
}

size_t PackedRowBytes(int width, PixelDepth depth) {
    const size_t pixels = static_cast<size_t>(width);
    switch (depth) {
        case PixelDepth::kBlackWhite: return (pixels + 7) / 8;
        case PixelDepth::kGrey: return pixels;
        case PixelDepth::kColour: return pixels * 3;
        case PixelDepth::kColourAlpha: break;
    }
    return pixels * 4;
}

#if QUILLANT_SSE2
namespace {
// Sixteen pixels' blue bytes from three blocks of 48 bytes a step.
QUILLANT_SSSE3_KERNEL void PackGreyBlocks(const uint8_t* pixels, size_t blocks, uint8_t* out) {
    const __m128i fromFirst = _mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i fromSecond = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1, -1, -1);
    const __m128i fromThird = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 4, 7, 10, 13);
    for (size_t i = 0; i < blocks; ++i, pixels += 48, out += 16) {
        const __m128i grey = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(BlockAt(pixels), fromFirst),
                                                       _mm_shuffle_epi8(BlockAt(pixels + 16), fromSecond)),
                                          _mm_shuffle_epi8(BlockAt(pixels + 32), fromThird));
        StoreBlock(out, grey);
    }
}
}  // namespace
#endif

void PackRow(const uint8_t* pixels, int width, PixelDepth depth, uint8_t* out) {
    if (depth == PixelDepth::kGrey) {
        int x = 0;
#if QUILLANT_SSE2
        if (width >= 16 && Ssse3Available()) {
            const size_t blocks = static_cast<size_t>(width) / 16;
            PackGreyBlocks(pixels, blocks, out);
            x = static_cast<int>(blocks * 16);
        }
#endif
        // Pixels from three words at a time: a byte at a time, the gather
        // of every third byte keeps the loads waiting on each other.
#if UINTPTR_MAX <= 0xFFFFFFFFu
        // Four, in a 32-bit build's words.
        for (; x + 4 <= width; x += 4) {
            const uint8_t* p = pixels + 3 * x;
            const uint32_t a = Word32At(p), b = Word32At(p + 4), c = Word32At(p + 8);
            const uint32_t grey = (a & 0xFF) | ((a >> 16) & 0xFF00) | (b & 0xFF0000) | ((c << 16) & 0xFF000000);
            std::memcpy(out + x, &grey, 4);
        }
#endif
        for (; x + 8 <= width; x += 8) {
            const uint8_t* p = pixels + 3 * x;
            const uint64_t a = WordAt(p), b = WordAt(p + 8), c = WordAt(p + 16);
            const uint64_t grey = (a & 0xFF) | ((a >> 16) & 0xFF00) | ((a >> 32) & 0xFF0000) |
                                  ((b << 16) & 0xFF000000) | (b & 0xFF00000000) | ((b >> 16) & 0xFF0000000000) |
                                  ((c << 32) & 0xFF000000000000) | ((c << 16) & 0xFF00000000000000);
            std::memcpy(out + x, &grey, 8);
        }
        for (; x < width; ++x) out[x] = pixels[3 * x];
        return;
    }
    FillBytes(out, 0, PackedRowBytes(width, depth));
    for (int x = 0; x < width; ++x) {
        if (pixels[3 * x]) out[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
    }
}

void Tint(PixelRows rows, Color fore, Color ground) {
    if (fore == kBlack && ground == kWhite) return;
    const Bgr f = BgrOf(fore);
    const Bgr g = BgrOf(ground);
    for (int32_t y = 0; y < rows.height; ++y) {
        if (rows.AsAbove(y)) continue;  // it shows the row above as tinted
        uint8_t* pixel = rows.bits + static_cast<size_t>(y) * rows.stride;
        for (int32_t x = 0; x < rows.width; ++x, pixel += 3) {
            pixel[0] = Mix(f.b, g.b, pixel[0]);
            pixel[1] = Mix(f.g, g.g, pixel[1]);
            pixel[2] = Mix(f.r, g.r, pixel[2]);
        }
    }
}

std::vector<uint8_t> CoverageAlpha(const PixelRows& rows, Color fore) {
    const Bgr f = BgrOf(fore);
    std::vector<uint8_t> out(static_cast<size_t>(rows.width) * static_cast<size_t>(rows.height) * 4);
    uint8_t* to = out.data();
    for (int32_t y = 0; y < rows.height; ++y) {
        const uint8_t* pixel = rows.Row(y);
        for (int32_t x = 0; x < rows.width; ++x, pixel += 3, to += 4) {
            to[0] = f.b;
            to[1] = f.g;
            to[2] = f.r;
            to[3] = static_cast<uint8_t>(255 - pixel[1]);
        }
    }
    return out;
}

std::vector<uint8_t> PackedDib(const PixelRows& rows, int32_t dpi) {
    const size_t stride = DibStride(rows.width);
    const size_t imageBytes = stride * static_cast<size_t>(rows.height);
    if (imageBytes > std::numeric_limits<uint32_t>::max() - kInfoHeaderBytes - kFileHeaderBytes) {
        throw vb_errors::Overflow();
    }
    const auto perMetre = static_cast<uint32_t>(std::lround(dpi / 0.0254));
    std::vector<uint8_t> out;
    out.reserve(kInfoHeaderBytes + imageBytes + kFileHeaderBytes);
    Put32(out, kInfoHeaderBytes);
    Put32(out, static_cast<uint32_t>(rows.width));
    Put32(out, static_cast<uint32_t>(rows.height));  // positive: bottom row first
    Put16(out, 1);                                   // planes
    Put16(out, 24);                                  // bits a pixel
    Put32(out, 0);                                   // BI_RGB
    Put32(out, static_cast<uint32_t>(imageBytes));
    Put32(out, perMetre);
    Put32(out, perMetre);
    Put32(out, 0);  // colours used
    Put32(out, 0);  // colours important
    const size_t rowBytes = static_cast<size_t>(rows.width) * 3;
    for (int32_t y = rows.height - 1; y >= 0; --y) {
        const uint8_t* row = rows.Row(y);
        out.insert(out.end(), row, row + rowBytes);
        out.insert(out.end(), stride - rowBytes, uint8_t{0});
    }
    return out;
}

std::vector<uint8_t> BmpFile(const PixelRows& rows, int32_t dpi) {
    const std::vector<uint8_t> dib = PackedDib(rows, dpi);
    std::vector<uint8_t> out;
    out.reserve(kFileHeaderBytes + dib.size());
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(kFileHeaderBytes + dib.size()));
    Put32(out, 0);  // reserved
    Put32(out, static_cast<uint32_t>(kFileHeaderBytes + kInfoHeaderBytes));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

}  // namespace quillant::render
