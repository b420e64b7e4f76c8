#pragma once
// PNG files written row by row, for pictures of symbols: every row is
// filtered against the one above it and compressed with deflate's fixed
// codes, matching runs and earlier data. A symbol's rows repeat exactly, so
// nearly all of a picture becomes a few long matches; a general compressor
// spends most of its time finding what is here found at once. Rows come in
// bands, so a page never has to be in memory whole.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "render/pixel_rows.h"

namespace quillant::render {

// The memory a writer works in, to be handed from one picture to the next:
// together it is larger than the heap commits at once, and Wine's heap
// gives such memory back to the system when it is freed and faults it in
// again for the next picture (on two threads, at the cost of stopping the
// other core for every page table change).
struct PngBuffers {
    std::vector<uint8_t> window;
    std::vector<uint32_t> head;
    std::vector<uint8_t> previous;
    std::vector<uint8_t> filtered;
    std::vector<uint8_t> data;
};

class PngWriter {
public:
    // Receives the file's bytes in order, in pieces.
    using Sink = std::function<void(const uint8_t* bytes, size_t count)>;

    // dpi 0 writes no resolution. Raises error 6 for a picture no PNG holds.
    // Works in buffers where given (one writer at a time), else in its own.
    PngWriter(Sink sink, int32_t width, int32_t height, PixelDepth depth, int32_t dpi,
              PngBuffers* buffers = nullptr);
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    // One row at the writer's depth, as PackRow makes it; colour rows are
    // blue-green-red (and alpha), as DIBs hold them.
    void WriteRow(const uint8_t* row);
    // The same without comparing it with the row before, for a caller that
    // knows it differs (a row that does repeat is written right, only slower).
    void WriteChangedRow(const uint8_t* row);
    // The last row written, again, for a caller that knows it repeats.
    void RepeatRow();
    // After the last row: the end of the data and of the file.
    void Finish();

private:
    void AddRow(const uint8_t* row, bool repeated);
    void Chunk(const char type[4], const uint8_t* data, size_t count);
    void Compress(uint32_t end);
    void Reserve(size_t bytes);
    void PutByte(uint8_t byte);
    void PutBits(uint32_t bits, int count);
    void PutLiteral(uint8_t byte);
    struct Bits {
        uint32_t bits;
        int count;
    };
    static Bits MatchBits(size_t length, size_t distance);
    void FlushData(bool all);
    void AppendFiltered();
    void KeepWindow();
    bool RepeatFilteredRow();

    Sink sink_;
    int32_t height_;
    PixelDepth depth_;
    size_t rowBytes_;
    int32_t rows_ = 0;
    uint32_t adler_a_ = 1;
    uint32_t adler_b_ = 0;

    PngBuffers own_;
    PngBuffers& buffers_;
    // The filtered data still within reach of a match, from its absolute
    // position base_; previous_ is the last row as given.
    std::vector<uint8_t>& window_;
    size_t windowSize_ = 0;  // of window_'s bytes, those in use
    // Positions count the whole filtered data, which the constructor keeps
    // under 2^32 - 1: a 32-bit build then holds each in one register.
    using Position = uint32_t;
    Position base_ = 0;
    Position done_ = 0;  // absolute position compressed up to
    std::vector<uint32_t>& head_;  // last absolute position + 1 of each hash, 0 for none
    std::vector<uint8_t>& previous_;
    size_t repeatsAtEnd_ = 0;  // rows at the window's end that repeated the one before
    // How a filtered row goes out as copies from one row back, the same for
    // every row of a picture: whole-length copies, then the rest as one copy
    // or, under a copy's least length, as literals.
    struct RowCopies {
        Bits whole{0, 0};
        size_t wholes = 0;
        Bits rest{0, 0};
        size_t literals = 0;
    };
    RowCopies rowCopies_;
    std::vector<uint8_t>& filtered_;

    std::vector<uint8_t>& data_;  // compressed bytes waiting for an IDAT chunk,
    size_t dataSize_ = 0;         // the first dataSize_ of them
    uint32_t bitBuffer_ = 0;
    int bitCount_ = 0;
};

// A whole picture as a PNG file's bytes: rows of blue-green-red pixels (of
// blue-green-red-alpha for kColourAlpha) written at depth.
std::vector<uint8_t> PngFile(const PixelRows& rows, PixelDepth depth, int32_t dpi, PngBuffers* buffers = nullptr);
// The same, told which rows repeat the one above (SurveyRows).
std::vector<uint8_t> PngFile(const PixelRows& rows, PixelDepth depth, int32_t dpi,
                             const std::vector<uint8_t>& repeatsAbove, PngBuffers* buffers = nullptr);

}  // namespace quillant::render
