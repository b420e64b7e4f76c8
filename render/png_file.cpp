#include "render/png_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "encoding/vb_error.h"
#include "render/byte_spans.h"
#include "render/sse2.h"

namespace quillant::render {
namespace {

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kWindow = 32768;  // how far back deflate may reach
// The data kept before the window moves on: under 64 KB with a row, since
// Wine's heap gives larger blocks fresh pages on every picture.
constexpr size_t kWindowKept = kWindow + kWindow / 2;
constexpr size_t kMaxMatch = 258;
constexpr size_t kMinMatch = 3;
constexpr size_t kIdatBytes = 1 << 14;  // a symbol's picture mostly fits one
constexpr int kHashBits = 12;  // small enough to be made anew for every picture cheaply

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

uint32_t Reversed(uint32_t code, int bits) {
    uint32_t out = 0;
    for (int i = 0; i < bits; ++i) out |= ((code >> i) & 1u) << (bits - 1 - i);
    return out;
}

// Deflate's fixed literal/length code (RFC 1951, 3.2.6), bit-reversed for
// a least-significant-bit-first stream.
struct FixedCode {
    uint16_t code;
    uint8_t bits;
};
const std::array<FixedCode, 288> kFixedCodes = [] {
    std::array<FixedCode, 288> codes{};
    for (uint32_t s = 0; s < 288; ++s) {
        uint32_t code = 0;
        int bits = 0;
        if (s < 144) {
            code = 0x30 + s, bits = 8;
        } else if (s < 256) {
            code = 0x190 + (s - 144), bits = 9;
        } else if (s < 280) {
            code = s - 256, bits = 7;
        } else {
            code = 0xC0 + (s - 280), bits = 8;
        }
        codes[s] = {static_cast<uint16_t>(Reversed(code, bits)), static_cast<uint8_t>(bits)};
    }
    return codes;
}();

// The code of every match length, and of every distance up to 256 and of
// every 128th beyond (the codes above 256 all span multiples of 128), so a
// match's codes are looked up rather than searched for.
const std::array<uint8_t, kMaxMatch + 1> kLengthCodes = [] {
    std::array<uint8_t, kMaxMatch + 1> codes{};
    for (size_t length = kMinMatch, l = 0; length <= kMaxMatch; ++length) {
        while (l < 28 && kLengthBase[l + 1] <= length) ++l;
        codes[length] = static_cast<uint8_t>(l);
    }
    return codes;
}();
const std::array<uint8_t, 512> kDistanceCodes = [] {
    std::array<uint8_t, 512> codes{};
    for (size_t i = 0, d = 0; i < 256; ++i) {  // distances 1 to 256
        while (d < 29 && kDistanceBase[d + 1] <= i + 1) ++d;
        codes[i] = static_cast<uint8_t>(d);
    }
    for (size_t i = 256, d = 0; i < 512; ++i) {  // distances from 257, by 128
        const size_t distance = ((i - 256) << 7) + 1;
        while (d < 29 && kDistanceBase[d + 1] <= distance) ++d;
        codes[i] = static_cast<uint8_t>(d);
    }
    return codes;
}();
const std::array<uint32_t, 30> kReversedDistanceCodes = [] {
    std::array<uint32_t, 30> codes{};
    for (uint32_t d = 0; d < 30; ++d) codes[d] = Reversed(d, 5);
    return codes;
}();

// Every match length's code and extra bits as they go out, and the same of
// every distance up to 256: a match's bits are then two lookups, not a
// chain of them.
struct CodeBits {
    uint16_t bits;
    uint8_t count;
};
const std::array<CodeBits, kMaxMatch + 1> kLengthBits = [] {
    std::array<CodeBits, kMaxMatch + 1> table{};
    for (size_t length = kMinMatch; length <= kMaxMatch; ++length) {
        const int l = kLengthCodes[length];
        const FixedCode& code = kFixedCodes[257 + l];
        table[length] = {static_cast<uint16_t>(code.code | (length - kLengthBase[l]) << code.bits),
                         static_cast<uint8_t>(code.bits + kLengthExtra[l])};
    }
    return table;
}();
// A distance's code d and its extra bits: up to 18 bits, of which a
// distance up to 256 takes at most 11.
struct DistanceCodeBits {
    uint32_t bits;
    int count;
};
DistanceCodeBits DistanceBits(size_t distance, int d) {
    return {kReversedDistanceCodes[d] | static_cast<uint32_t>(distance - kDistanceBase[d]) << 5, 5 + kDistanceExtra[d]};
}
const std::array<CodeBits, 257> kNearDistanceBits = [] {
    std::array<CodeBits, 257> table{};
    for (size_t distance = 1; distance <= 256; ++distance) {
        const DistanceCodeBits close = DistanceBits(distance, kDistanceCodes[distance - 1]);
        table[distance] = {static_cast<uint16_t>(close.bits), static_cast<uint8_t>(close.count)};
    }
    return table;
}();

// The check of every chunk, eight bytes a step: table k holds the check of a
// byte followed by k zero bytes.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;
const CrcTables kCrcTables = [] {
    CrcTables tables{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (size_t k = 1; k < 8; ++k) {
        for (uint32_t n = 0; n < 256; ++n) tables[k][n] = tables[0][tables[k - 1][n] & 0xFF] ^ (tables[k - 1][n] >> 8);
    }
    return tables;
}();

uint32_t Crc(uint32_t crc, const uint8_t* bytes, size_t count) {
    const auto& t = kCrcTables;
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        crc ^= uint32_t{bytes[i]} | uint32_t{bytes[i + 1]} << 8 | uint32_t{bytes[i + 2]} << 16 |
               uint32_t{bytes[i + 3]} << 24;
        crc = t[7][crc & 0xFF] ^ t[6][(crc >> 8) & 0xFF] ^ t[5][(crc >> 16) & 0xFF] ^ t[4][crc >> 24] ^
              t[3][bytes[i + 4]] ^ t[2][bytes[i + 5]] ^ t[1][bytes[i + 6]] ^ t[0][bytes[i + 7]];
    }
    for (; i < count; ++i) crc = t[0][(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

constexpr uint32_t kAdlerModulus = 65521;

#if QUILLANT_SSE2
// Sixteen bytes a step: a gains their sum, b sixteen times a plus the bytes
// weighted 16 down to 1. The sums of earlier steps are gathered apart and
// multiplied once, at the end. steps * 16 bytes within one block.
QUILLANT_SSE2_KERNEL void AdvanceAdlerBlocks(uint32_t& a, uint32_t& b, const uint8_t* p, size_t steps) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i firstWeights = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
    const __m128i lastWeights = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
    __m128i sums = zero;     // of the bytes, in the low words of both halves
    __m128i earlier = zero;  // of sums as each step began
    __m128i weighted = zero;
    for (size_t s = 0; s < steps; ++s) {
        const __m128i v = BlockAt(p + 16 * s);
        earlier = _mm_add_epi32(earlier, sums);
        sums = _mm_add_epi32(sums, _mm_sad_epu8(v, zero));
        weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(v, zero), firstWeights));
        weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(v, zero), lastWeights));
    }
    uint32_t lanes[3][4];
    StoreBlock(reinterpret_cast<uint8_t*>(lanes[0]), sums);
    StoreBlock(reinterpret_cast<uint8_t*>(lanes[1]), earlier);
    StoreBlock(reinterpret_cast<uint8_t*>(lanes[2]), weighted);
    const uint64_t added = uint64_t{lanes[0][0]} + lanes[0][2];
    const uint64_t grown = uint64_t{b} + uint64_t{a} * 16 * steps + 16 * (uint64_t{lanes[1][0]} + lanes[1][2]) +
                           lanes[2][0] + lanes[2][1] + lanes[2][2] + lanes[2][3];
    a = static_cast<uint32_t>((a + added) % kAdlerModulus);
    b = static_cast<uint32_t>(grown % kAdlerModulus);
}
#endif

#if QUILLANT_SSE2
// out = row - above, byte by byte, count at least 16.
QUILLANT_SSE2_KERNEL void SubtractBlocks(uint8_t* out, const uint8_t* row, const uint8_t* above, size_t count) {
    const __m128i tail = _mm_sub_epi8(BlockAt(row + count - 16), BlockAt(above + count - 16));
    for (size_t i = 0; i + 16 <= count; i += 16) StoreBlock(out + i, _mm_sub_epi8(BlockAt(row + i), BlockAt(above + i)));
    StoreBlock(out + count - 16, tail);
}
#endif

// out = row - above, byte by byte.
void Subtract(uint8_t* out, const uint8_t* row, const uint8_t* above, size_t count) {
#if QUILLANT_SSE2
    if (count >= 16 && Sse2Available()) {
        SubtractBlocks(out, row, above, count);
        return;
    }
#endif
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(row[i] - above[i]);
}

// Advances zlib's check sum (a, b) over count bytes.
void AdvanceAdler(uint32_t& aSum, uint32_t& bSum, const uint8_t* p, size_t count) {
    constexpr size_t kBlock = 5552;  // the most bytes before b could pass 32 bits
    uint32_t a = aSum, b = bSum;
    while (count > 0) {
        const size_t block = std::min(count, kBlock);
        size_t i = 0;
#if QUILLANT_SSE2
        if (block >= 16 && Sse2Available()) {
            AdvanceAdlerBlocks(a, b, p, block / 16);
            i = block / 16 * 16;
        }
#endif
        // Eight bytes a step: b gains eight times a and the bytes weighted by
        // how often each is added, which do not wait on each other.
        for (; i + 8 <= block; i += 8) {
            const uint8_t* q = p + i;
            b += 8 * a + 8u * q[0] + 7u * q[1] + 6u * q[2] + 5u * q[3] + 4u * q[4] + 3u * q[5] + 2u * q[6] + q[7];
            a += uint32_t{q[0]} + q[1] + q[2] + q[3] + q[4] + q[5] + q[6] + q[7];
        }
        for (; i < block; ++i) {
            a += p[i];
            b += a;
        }
        a %= kAdlerModulus;
        b %= kAdlerModulus;
        p += block;
        count -= block;
    }
    aSum = a;
    bSum = b;
}

void PutBigEndian(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}

// Bits gather in a 32-bit word and leave four bytes at a time, to out,
// which has room for them: a wider word costs the 32-bit build a pair of
// registers and a double shift for every code.
struct BitStream {
    uint32_t buffer;  // fewer than 32 bits between calls
    int count;
    uint8_t* out;

    // bitCount from 1 to 31, and no bits set above them.
    void Put(uint32_t bits, int bitCount) {
        buffer |= bits << count;
        const int total = count + bitCount;
        if (total < 32) {
            count = total;
            return;
        }
        std::memcpy(out, &buffer, 4);  // little-endian: the first bits first
        out += 4;
        // count is at least 1 here: the bits that did not fit.
        buffer = bits >> (32 - count);
        count = total - 32;
    }
};

uint32_t Hash(const uint8_t* p) {
    const uint32_t v = p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
}

size_t BytesPerPixel(PixelDepth depth) {
    switch (depth) {
        case PixelDepth::kColour: return 3;
        case PixelDepth::kColourAlpha: return 4;
        default: return 1;
    }
}

}  // namespace

PngWriter::PngWriter(Sink sink, int32_t width, int32_t height, PixelDepth depth, int32_t dpi, PngBuffers* buffers)
    : sink_(std::move(sink)), height_(height), depth_(depth), buffers_(buffers ? *buffers : own_),
      window_(buffers_.window), head_(buffers_.head), previous_(buffers_.previous), filtered_(buffers_.filtered),
      data_(buffers_.data) {
    // Rows and the whole data must stay within what PNG's 31-bit sizes and
    // our 32-bit positions count.
    if (width < 1 || height < 1 || width > (1 << 24) || height > (1 << 24)) throw vb_errors::Overflow();
    rowBytes_ = PackedRowBytes(width, depth);
    if ((rowBytes_ + 1) * static_cast<uint64_t>(height) >= (uint64_t{1} << 32) - 1) throw vb_errors::Overflow();
    // Cleared without the C library's memset, a byte loop under Wine.
    previous_.resize(rowBytes_);
    FillBytes(previous_.data(), 0, rowBytes_);
    filtered_.resize(rowBytes_ + 1);
    head_.resize(size_t{1} << kHashBits);
    FillBytes(reinterpret_cast<uint8_t*>(head_.data()), 0, head_.size() * sizeof head_[0]);
    dataSize_ = 0;
    // A repeated row's copies, for RepeatFilteredRow.
    const size_t length = rowBytes_ + 1;
    if (length <= kWindow) {
        rowCopies_.whole = MatchBits(kMaxMatch, length);
        rowCopies_.wholes = length / kMaxMatch;
        const size_t rest = length % kMaxMatch;
        if (rest >= kMinMatch) {
            rowCopies_.rest = MatchBits(rest, length);
        } else {
            rowCopies_.literals = rest;
        }
    }
    // The window keeps its size from one picture to the next: only what
    // this picture appends is ever read.
    const auto windowBytes = static_cast<size_t>(
        std::min<uint64_t>(length * static_cast<uint64_t>(height), kWindowKept + length));
    if (window_.size() < windowBytes) window_.resize(windowBytes);
    if (data_.size() < kIdatBytes + 1024) data_.resize(kIdatBytes + 1024);

    sink_(kSignature, sizeof kSignature);
    uint8_t header[13];
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header + 4, static_cast<uint32_t>(height));
    header[8] = depth == PixelDepth::kBlackWhite ? 1 : 8;
    header[9] = depth == PixelDepth::kColour ? 2 : depth == PixelDepth::kColourAlpha ? 6 : 0;
    header[10] = header[11] = header[12] = 0;  // deflate, adaptive filters, no interlace
    Chunk("IHDR", header, sizeof header);
    if (dpi > 0) {
        uint8_t physical[9];
        const auto perMetre = static_cast<uint32_t>(std::lround(dpi / 0.0254));
        PutBigEndian(physical, perMetre);
        PutBigEndian(physical + 4, perMetre);
        physical[8] = 1;  // metres
        Chunk("pHYs", physical, sizeof physical);
    }
    PutByte(0x78);  // deflate, 32 KB window
    PutByte(0x01);  // no dictionary; check bits
    PutBits(1, 1);          // the one and last block,
    PutBits(1, 2);          // with the fixed codes
}

void PngWriter::Chunk(const char type[4], const uint8_t* data, size_t count) {
    uint8_t head[8];
    PutBigEndian(head, static_cast<uint32_t>(count));
    std::memcpy(head + 4, type, 4);
    uint32_t crc = Crc(0xFFFFFFFFu, head + 4, 4);
    crc = Crc(crc, data, count) ^ 0xFFFFFFFFu;
    uint8_t tail[4];
    PutBigEndian(tail, crc);
    sink_(head, sizeof head);
    if (count) sink_(data, count);
    sink_(tail, sizeof tail);
}

void PngWriter::WriteRow(const uint8_t* row) {
    if (rows_ >= height_) throw vb_errors::InvalidCall();
    AddRow(row, rows_ > 0 && SameBytes(row, previous_.data(), rowBytes_));
}

void PngWriter::WriteChangedRow(const uint8_t* row) {
    if (rows_ >= height_) throw vb_errors::InvalidCall();
    AddRow(row, false);
}

void PngWriter::RepeatRow() {
    if (rows_ == 0 || rows_ >= height_) throw vb_errors::InvalidCall();
    AddRow(previous_.data(), true);
}

void PngWriter::AddRow(const uint8_t* row, bool repeated) {
    // A symbol's picture is mostly rows that repeat the one above: after
    // the first two such rows, the filtered data repeats too, and needs no
    // search at all.
    ++rows_;
    if (repeated && repeatsAtEnd_ > 0 && RepeatFilteredRow()) return;
    // PNG keeps colours red first; the "up" filter turns every row that
    // repeats the one above into zeros. Differences of the same channel do
    // not care which order the channels come in, so the row above is kept
    // as given. Locals throughout: stores through a byte pointer could alias
    // the members, which would keep the loops from holding them in registers.
    const size_t pixel = BytesPerPixel(depth_);
    const size_t count = rowBytes_;
    uint8_t* out = filtered_.data() + 1;
    const uint8_t* previous = previous_.data();
    filtered_[0] = 2;
    if (pixel == 1) {
        Subtract(out, row, previous, count);
    } else {
        constexpr size_t kRedFirst[4] = {2, 1, 0, 3};
        for (size_t i = 0; i < count; i += pixel) {
            for (size_t c = 0; c < pixel; ++c) {
                const size_t from = i + kRedFirst[c];
                out[i + c] = static_cast<uint8_t>(row[from] - previous[from]);
            }
        }
    }
    if (!repeated) CopyBytes(previous_.data(), row, count);

    AdvanceAdler(adler_a_, adler_b_, filtered_.data(), count + 1);
    AppendFiltered();
    repeatsAtEnd_ = repeated ? repeatsAtEnd_ + 1 : 0;
    Compress(base_ + static_cast<Position>(windowSize_));
    KeepWindow();
}

void PngWriter::AppendFiltered() {
    CopyBytes(window_.data() + windowSize_, filtered_.data(), rowBytes_ + 1);
    windowSize_ += rowBytes_ + 1;
}

void PngWriter::KeepWindow() {
    if (windowSize_ > kWindowKept) {
        const size_t drop = windowSize_ - kWindow;
        CopyBytes(window_.data(), window_.data() + drop, kWindow);
        windowSize_ = kWindow;
        base_ += static_cast<Position>(drop);
    }
    FlushData(false);
}

// The filtered row (the filter byte and zeros) is the one just before it:
// its bytes go out as copies from one row back, the check sum is advanced
// by formula. Once all that deflate can reach back to is this row over and
// over, another copy leaves the window's bytes as they are, one row further
// on, and none are written. False where a row is too long for deflate to
// reach back.
bool PngWriter::RepeatFilteredRow() {
    const size_t length = rowBytes_ + 1;
    if (length > kWindow) return false;
    adler_a_ = (adler_a_ + filtered_[0]) % kAdlerModulus;
    // In 32 bits: both factors are below the modulus.
    const uint32_t added = adler_a_ * static_cast<uint32_t>(rowBytes_ % kAdlerModulus) % kAdlerModulus;
    adler_b_ = (adler_b_ + adler_a_ + added) % kAdlerModulus;
    if (repeatsAtEnd_ * length >= kWindow) {
        base_ += static_cast<Position>(length);
    } else {
        AppendFiltered();
    }
    ++repeatsAtEnd_;
    const RowCopies& copies = rowCopies_;
    for (size_t i = 0; i < copies.wholes; ++i) PutBits(copies.whole.bits, copies.whole.count);
    if (copies.rest.count != 0) PutBits(copies.rest.bits, copies.rest.count);
    for (size_t i = length - copies.literals; i < length; ++i) PutLiteral(filtered_[i]);
    done_ += static_cast<Position>(length);
    KeepWindow();
    return true;
}

// A match's length code, its extra bits, the distance code and its extra
// bits, in the order they go out: 31 bits at most, so one PutBits.
inline PngWriter::Bits PngWriter::MatchBits(size_t length, size_t distance) {
    const CodeBits& lengthBits = kLengthBits[length];
    uint32_t bits = lengthBits.bits;
    int count = lengthBits.count;
    if (distance <= 256) {
        const CodeBits& close = kNearDistanceBits[distance];
        bits |= uint32_t{close.bits} << count;
        count += close.count;
    } else {
        const DistanceCodeBits distant = DistanceBits(distance, kDistanceCodes[256 + ((distance - 1) >> 7)]);
        bits |= distant.bits << count;
        count += distant.count;
    }
    return Bits{bits, count};
}

// Each position takes the longer of a run (the byte before, repeated) and
// the last earlier place with the same three bytes; matches never reach
// past the data given so far. The loop keeps the writer's state in locals:
// its stores of output bytes could alias any member, which would have every
// member read again after each code.
void PngWriter::Compress(uint32_t end) {
    const uint8_t* data = window_.data();
    uint32_t* head = head_.data();
    const Position base = base_;
    Position done = done_;
    BitStream stream{bitBuffer_, bitCount_, nullptr};
    while (done < end) {
        // A code is 31 bits at most and takes at least one position: room
        // for a stretch's codes up front, so that none asks for it.
        constexpr Position kStretch = 4096;
        const Position stretchEnd = end - done > kStretch ? done + kStretch : end;
        Reserve(size_t{stretchEnd - done} * 4 + 8);
        stream.out = data_.data() + dataSize_;
        while (done < stretchEnd) {
            const size_t at = static_cast<size_t>(done - base);
            const size_t available = std::min<size_t>(end - done, kMaxMatch);
            size_t bestLength = 0;
            size_t bestDistance = 0;
            if (available >= kMinMatch) {
                if (done > base) {
                    bestLength = CommonPrefix(data + at, data + at - 1, available);
                    bestDistance = 1;
                }
                if (bestLength < available) {
                    uint32_t& slot = head[Hash(data + at)];
                    if (slot != 0) {
                        const Position candidate = slot - 1;
                        const size_t from = static_cast<size_t>(candidate - base);
                        // Only a longer match counts: one that differs where the
                        // run ends is not read any further.
                        if (candidate >= base && done - candidate <= kWindow &&
                            data[from + bestLength] == data[at + bestLength]) {
                            const size_t length = CommonPrefix(data + at, data + from, available);
                            if (length > bestLength) {
                                bestLength = length;
                                bestDistance = static_cast<size_t>(done - candidate);
                            }
                        }
                    }
                    slot = done + 1;
                }
            }
            if (bestLength >= kMinMatch) {
                const Bits match = MatchBits(bestLength, bestDistance);
                stream.Put(match.bits, match.count);
                done += static_cast<Position>(bestLength);
            } else {
                stream.Put(kFixedCodes[data[at]].code, kFixedCodes[data[at]].bits);
                ++done;
            }
        }
        dataSize_ = static_cast<size_t>(stream.out - data_.data());
    }
    done_ = done;
    bitBuffer_ = stream.buffer;
    bitCount_ = stream.count;
}

// The data's buffer keeps its size from one picture to the next and grows
// only for a picture that needs more: bytes are stored, not appended.
void PngWriter::Reserve(size_t bytes) {
    if (data_.size() - dataSize_ < bytes) data_.resize(std::max(data_.size() * 2, dataSize_ + bytes));
}

void PngWriter::PutByte(uint8_t byte) {
    Reserve(1);
    data_[dataSize_++] = byte;
}

void PngWriter::PutBits(uint32_t bits, int count) {
    Reserve(4);
    BitStream stream{bitBuffer_, bitCount_, data_.data() + dataSize_};
    stream.Put(bits, count);
    bitBuffer_ = stream.buffer;
    bitCount_ = stream.count;
    dataSize_ = static_cast<size_t>(stream.out - data_.data());
}

void PngWriter::PutLiteral(uint8_t byte) { PutBits(kFixedCodes[byte].code, kFixedCodes[byte].bits); }

void PngWriter::FlushData(bool all) {
    if (dataSize_ >= kIdatBytes || (all && dataSize_ != 0)) {
        Chunk("IDAT", data_.data(), dataSize_);
        dataSize_ = 0;
    }
}

void PngWriter::Finish() {
    if (rows_ != height_) throw vb_errors::InvalidCall();
    PutBits(kFixedCodes[256].code, kFixedCodes[256].bits);  // end of block
    if (bitCount_ % 8 != 0) PutBits(0, 8 - bitCount_ % 8);
    for (; bitCount_ > 0; bitCount_ -= 8, bitBuffer_ >>= 8) PutByte(static_cast<uint8_t>(bitBuffer_));
    uint8_t check[4];
    PutBigEndian(check, (adler_b_ << 16) | adler_a_);
    for (const uint8_t byte : check) PutByte(byte);
    FlushData(true);
    Chunk("IEND", nullptr, 0);
}

std::vector<uint8_t> PngFile(const PixelRows& rows, PixelDepth depth, int32_t dpi, PngBuffers* buffers) {
    const size_t rowBytes = static_cast<size_t>(rows.width) * (depth == PixelDepth::kColourAlpha ? 4 : 3);
    std::vector<uint8_t> repeatsAbove(static_cast<size_t>(std::max(rows.height, 0)), 0);
    for (int32_t y = 1; y < rows.height; ++y) {
        repeatsAbove[static_cast<size_t>(y)] = rows.AsAbove(y) || SameBytes(rows.Row(y), rows.Row(y - 1), rowBytes);
    }
    return PngFile(rows, depth, dpi, repeatsAbove, buffers);
}

std::vector<uint8_t> PngFile(const PixelRows& rows, PixelDepth depth, int32_t dpi,
                             const std::vector<uint8_t>& repeatsAbove, PngBuffers* buffers) {
    std::vector<uint8_t> file;
    file.reserve(size_t{16} << 10);  // a symbol's picture, without growing
    PngWriter png([&](const uint8_t* bytes, size_t count) { file.insert(file.end(), bytes, bytes + count); },
                  rows.width, rows.height, depth, dpi, buffers);
    const bool packs = depth == PixelDepth::kBlackWhite || depth == PixelDepth::kGrey;
    std::vector<uint8_t> packed(packs ? PackedRowBytes(rows.width, depth) : 0);
    for (int32_t y = 0; y < rows.height; ++y) {
        if (y > 0 && repeatsAbove.at(static_cast<size_t>(y))) {
            png.RepeatRow();
        } else if (packs) {
            PackRow(rows.Row(y), rows.width, depth, packed.data());
            png.WriteChangedRow(packed.data());
        } else {
            png.WriteChangedRow(rows.Row(y));
        }
    }
    png.Finish();
    return file;
}

}  // namespace quillant::render
