#pragma once
// The bitmaps a ZPL job downloads with ~DG, as a label printer stores them:
// CUPS's Zebra driver sends each page as one such graphic, then places it
// with ^FO...^XG. Only the hex form is read (the one CUPS writes), with ZPL's
// run-length compression: G-Y repeat the next digit 1-19 times, g-z add 20,
// 40, ... 400 each, ',' ends the row with zeros, '!' with ones (F), and ':'
// repeats the previous row. A 1 bit is a black dot.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillant::zpl {

struct Graphic {
    std::string name;                 // the ~DG name, e.g. R:CUPS.GRF
    size_t bytesPerRow = 0;
    size_t rows = 0;
    std::vector<uint8_t> bits;        // rows * bytesPerRow bytes, 8 dots a byte, leftmost in the high bit
    int originX = 0, originY = 0;     // where ^FO...^XG places it on the label
    char orientation = 'N';           // ^PO: N as sent, I turned 180 degrees on paper

    size_t Width() const { return bytesPerRow * 8; }
    bool Black(size_t x, size_t y) const { return (bits[y * bytesPerRow + x / 8] >> (7 - x % 8)) & 1; }
};

// The rows of a ~DG graphic's data, TOTAL bytes in rows of BYTES_PER_ROW.
// Line breaks are ignored. std::runtime_error says where the data is wrong:
// a character ZPL does not define there, a run past the end of its row, a
// ':' with no row before it, too few or too many rows.
std::vector<uint8_t> DecompressRows(std::string_view data, size_t bytesPerRow, size_t totalBytes);

// Every ~DG graphic of a job, in order, each with the ^FO origin and the ^PO
// orientation of the label that recalls it. std::runtime_error when the job
// holds none or one cannot be read.
std::vector<Graphic> ReadGraphics(std::string_view job);

}  // namespace quillant::zpl
