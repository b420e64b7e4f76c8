// PNG files read back by zlib, a decoder we did not write: every chunk's
// check, the inflated data, the filters undone, and the pixels equal to the
// rows given, at every depth, for pictures that repeat as symbols do and
// for noise, and past deflate's 32 KB window.

#include "render/png_file.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "encoding/vb_error.h"

namespace quillant::render {
namespace {

uint32_t BigEndian(const uint8_t* p) { return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3]; }

struct Decoded {
    uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    uint32_t pixelsPerMetre = 0;
    std::vector<std::vector<uint8_t>> rows;  // as stored: RGB(A), greys or bits
};

Decoded Decode(const std::vector<uint8_t>& file) {
    Decoded out;
    EXPECT_EQ(std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    std::vector<uint8_t> compressed;
    std::string order;
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = BigEndian(&file[at]);
        const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        const uint8_t* data = &file[at + 8];
        EXPECT_EQ(crc32(crc32(0, &file[at + 4], 4), data, length), BigEndian(data + length)) << type;
        order += type + " ";
        if (type == "IHDR") {
            out.width = BigEndian(data);
            out.height = BigEndian(data + 4);
            out.bitDepth = data[8];
            out.colourType = data[9];
        } else if (type == "pHYs") {
            out.pixelsPerMetre = BigEndian(data);
            EXPECT_EQ(data[8], 1);
        } else if (type == "IDAT") {
            compressed.insert(compressed.end(), data, data + length);
        }
        at += 12 + length;
    }
    EXPECT_EQ(order.substr(0, 5), "IHDR ");
    EXPECT_EQ(order.substr(order.size() - 5), "IEND ");
    const int channels = out.colourType == 2 ? 3 : out.colourType == 6 ? 4 : 1;
    const size_t rowBytes = (size_t{out.width} * channels * out.bitDepth + 7) / 8;
    std::vector<uint8_t> raw((rowBytes + 1) * out.height);
    uLongf rawSize = raw.size();
    EXPECT_EQ(uncompress(raw.data(), &rawSize, compressed.data(), compressed.size()), Z_OK);
    EXPECT_EQ(rawSize, raw.size());
    std::vector<uint8_t> previous(rowBytes, 0);
    for (uint32_t y = 0; y < out.height; ++y) {
        const uint8_t* row = &raw[y * (rowBytes + 1)];
        EXPECT_EQ(row[0], 2) << "the up filter";
        std::vector<uint8_t> pixels(rowBytes);
        for (size_t i = 0; i < rowBytes; ++i) pixels[i] = static_cast<uint8_t>(row[1 + i] + previous[i]);
        previous = pixels;
        out.rows.push_back(pixels);
    }
    return out;
}

// Rows as a symbol's picture has them: the same bars row after row, then a
// few rows of caption greys.
std::vector<uint8_t> SymbolRows(int width, int height, int channels) {
    std::vector<uint8_t> bits(size_t(width) * height * channels, 255);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool bar = y < height * 3 / 4 ? (x / 3) % 5 < 2 : (x * 7 + y * 13) % 11 == 0;
            const uint8_t grey = bar ? (y < height * 3 / 4 ? 0 : static_cast<uint8_t>(x * y)) : 255;
            for (int c = 0; c < channels; ++c) bits[(size_t(y) * width + x) * channels + c] = grey;
        }
    }
    return bits;
}

TEST(PngFile, ZlibReadsBackEveryPixelAtEveryDepth) {
    std::mt19937 random(2024);
    std::vector<uint8_t> noise(size_t(300) * 40 * 4);
    for (uint8_t& b : noise) b = static_cast<uint8_t>(random());
    const struct {
        const char* what;
        PixelDepth depth;
        int width, height, channels;  // channels of the rows given
        std::vector<uint8_t> bits;
        int colourType, bitDepth;
    } cases[] = {
        {"a symbol in black and white", PixelDepth::kBlackWhite, 613, 90, 3, SymbolRows(613, 90, 3), 0, 1},
        {"a symbol with a grey caption", PixelDepth::kGrey, 613, 90, 3, SymbolRows(613, 90, 3), 0, 8},
        {"a symbol in colour", PixelDepth::kColour, 613, 90, 3, SymbolRows(613, 90, 3), 2, 8},
        // A repeated row of 260 filtered bytes: a copy of 258, and two bytes
        // too few for a copy.
        {"rows that end in a short copy", PixelDepth::kGrey, 259, 20, 3, SymbolRows(259, 20, 3), 0, 8},
        {"colour noise", PixelDepth::kColour, 300, 40, 3, {noise.begin(), noise.begin() + 300 * 40 * 3}, 2, 8},
        {"noise with alpha", PixelDepth::kColourAlpha, 300, 40, 4, noise, 6, 8},
        // Rows longer than deflate's window: matches must stay within it.
        {"rows beyond the window", PixelDepth::kColour, 12000, 6, 3, SymbolRows(12000, 6, 3), 2, 8},
        {"one pixel", PixelDepth::kBlackWhite, 1, 1, 3, {0, 0, 0}, 0, 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        const size_t stride = size_t(test.width) * test.channels;
        std::vector<uint8_t> bits = test.bits;
        const PixelRows rows{bits.data(), test.width, test.height, stride};
        const std::vector<uint8_t> file = PngFile(rows, test.depth, 203);
        const Decoded png = Decode(file);
        EXPECT_EQ(png.width, uint32_t(test.width));
        EXPECT_EQ(png.height, uint32_t(test.height));
        EXPECT_EQ(png.colourType, test.colourType);
        EXPECT_EQ(png.bitDepth, test.bitDepth);
        EXPECT_EQ(png.pixelsPerMetre, 7992u);  // 203 dpi
        std::vector<uint8_t> packed(PackedRowBytes(test.width, test.depth));
        for (int y = 0; y < test.height && size_t(y) < png.rows.size(); ++y) {
            const uint8_t* row = bits.data() + y * stride;
            std::vector<uint8_t> expected;
            if (test.channels == 3 && test.depth != PixelDepth::kColour) {
                PackRow(row, test.width, test.depth, packed.data());
                expected = packed;
            } else {
                for (int x = 0; x < test.width; ++x) {
                    const uint8_t* p = row + x * test.channels;
                    expected.insert(expected.end(), {p[2], p[1], p[0]});
                    if (test.channels == 4) expected.push_back(p[3]);
                }
            }
            ASSERT_EQ(png.rows[y], expected) << "row " << y;
        }
    }
}

TEST(PngFile, ASymbolsRepeatedRowsCostAlmostNothing) {
    std::vector<uint8_t> bits = SymbolRows(613, 400, 3);
    for (size_t i = size_t(613) * 3 * 300; i < bits.size(); ++i) bits[i] = bits[i % (613 * 3)];  // bars throughout
    const PixelRows rows{bits.data(), 613, 400, 613 * 3};
    // 400 rows of 77 bytes in one bit a pixel: the repeats cost a match a row.
    EXPECT_LT(PngFile(rows, PixelDepth::kBlackWhite, 0).size(), 1200u);
}

// A writer told which rows repeat writes the file it finds for itself, and
// the survey's depth is DepthOf's; buffers handed from picture to picture
// (larger, then smaller ones) change nothing either.
TEST(PngFile, RowsKnownToRepeatOrKeptBuffersMakeTheSameFile) {
    PngBuffers kept;
    for (const int width : {12000, 613, 31}) {
        std::vector<uint8_t> bits = SymbolRows(width, 6, 3);
        const PixelRows rows{bits.data(), width, 6, size_t(width) * 3};
        EXPECT_EQ(PngFile(rows, PixelDepth::kColour, 0, &kept), PngFile(rows, PixelDepth::kColour, 0)) << width;
    }
    for (const PixelDepth depth : {PixelDepth::kBlackWhite, PixelDepth::kGrey, PixelDepth::kColour}) {
        std::vector<uint8_t> bits = SymbolRows(613, 90, 3);
        const PixelRows rows{bits.data(), 613, 90, 613 * 3};
        const RowSurvey survey = SurveyRows(rows.bits, rows.width, rows.height, rows.stride, depth);
        EXPECT_EQ(survey.depth, DepthOf(rows.bits, rows.width, rows.height, rows.stride, depth));
        EXPECT_EQ(std::count(survey.repeatsAbove.begin(), survey.repeatsAbove.end(), 1), 90 * 3 / 4 - 1);
        EXPECT_EQ(PngFile(rows, depth, 300, survey.repeatsAbove), PngFile(rows, depth, 300));
        EXPECT_EQ(PngFile(rows, depth, 300, survey.repeatsAbove, &kept), PngFile(rows, depth, 300));
    }
}

TEST(PngFile, RowsBeyondTheHeightOrMissingAreRefused) {
    std::vector<uint8_t> file;
    PngWriter png([&](const uint8_t* b, size_t n) { file.insert(file.end(), b, b + n); }, 2, 1, PixelDepth::kGrey, 0);
    const uint8_t row[2] = {0, 255};
    EXPECT_THROW(png.Finish(), VbError);
    EXPECT_THROW(png.RepeatRow(), VbError);  // no row to repeat yet
    png.WriteRow(row);
    EXPECT_THROW(png.RepeatRow(), VbError);
    EXPECT_THROW(png.WriteRow(row), VbError);
    EXPECT_THROW(PngWriter([](const uint8_t*, size_t) {}, 0, 1, PixelDepth::kGrey, 0), VbError);
}

}  // namespace
}  // namespace quillant::render
