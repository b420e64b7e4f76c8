// Images of a symbol: the frame holds the quiet zones and the caption on the
// side each turn puts it, on whole pixels; the SVG document is the label
// renderer's boxes, one rectangle a bar, and its caption turned as GDI turns
// it; recolouring and the packed DIB.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "encoding/symbol_encoder.h"
#include "render/byte_spans.h"
#include "render/image_frame.h"
#include "render/label_geometry.h"
#include "render/pixel_rows.h"
#include "render/png_file.h"
#include "render/svg_drawing.h"
#include "tests/render/recording_fake.h"

namespace quillant::render {
namespace {

const int32_t kTurns[] = {bcHorizontal, bcVertical, bcUpsideDown, bcVerticalDown};

LabelProperties Symbol(int32_t orientation) {
    LabelProperties p;
    p.orientation = orientation;
    p.elementWidth = 15;
    p.barHeight = 720;
    p.xPosition = 999;  // an image ignores the position
    return p;
}

TEST(ImageFrame, QuietZonesAtTheEdgeAndTheCaptionBesideTheBarsInEveryTurn) {
    const std::string modules = ModulePattern(u"IMAGE 42", Encoding::Quillant1);
    for (const int32_t dpi : {96, 203, 300, 600}) {
        const double dot = kTwipsPerInch / dpi;
        for (const int32_t turn : kTurns) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, turn " << turn);
            const CaptionExtent caption{100 * dot, 30 * dot};  // shorter than the symbol
            const ImageFrame frame = FrameImage(Symbol(turn), modules, dpi, caption);
            const LabelGeometry g = LayOut(frame.properties, modules, DotSize{dot, dot});
            const long module = std::lround(g.moduleWidth / dot);
            EXPECT_EQ(module, std::max(1L, std::lround(15 / dot)));
            // Pixels of the area, both corners included.
            const long x1 = std::lround(g.area.x1 / dot), x2 = std::lround(g.area.x2 / dot);
            const long y1 = std::lround(g.area.y1 / dot), y2 = std::lround(g.area.y2 / dot);
            const bool along = turn == bcHorizontal || turn == bcUpsideDown;
            const long length = static_cast<long>(modules.size() + 20) * module;
            EXPECT_EQ(along ? x2 - x1 + 1 : y2 - y1 + 1, length);
            // The quiet zones end at the image's edges; the caption has its
            // 30 pixels on its own side, the bars touch the other.
            EXPECT_EQ(along ? x1 : y1, 0);
            EXPECT_EQ(along ? frame.width : frame.height, length);
            switch (turn) {
                case bcHorizontal: EXPECT_EQ(y1, 0); EXPECT_EQ(frame.height, y2 + 1 + 30); break;
                case bcUpsideDown: EXPECT_EQ(y1, 30); EXPECT_EQ(frame.height, y2 + 1); break;
                case bcVertical: EXPECT_EQ(x1, 0); EXPECT_EQ(frame.width, x2 + 1 + 30); break;
                default: EXPECT_EQ(x1, 30); EXPECT_EQ(frame.width, x2 + 1); break;
            }
        }
    }
}

TEST(ImageFrame, ACaptionLongerThanTheSymbolWidensTheImageAroundIt) {
    const std::string modules = ModulePattern(u"1", Encoding::Quillant1);
    const double dot = kTwipsPerInch / 300;
    const ImageFrame frame = FrameImage(Symbol(bcHorizontal), modules, 300, CaptionExtent{1000 * dot, 10 * dot});
    const LabelGeometry g = LayOut(frame.properties, modules, DotSize{dot, dot});
    const long left = std::lround(g.area.x1 / dot);
    const long right = frame.width - 1 - std::lround(g.area.x2 / dot);
    EXPECT_GE(frame.width, 1000);
    EXPECT_LE(std::abs(left - right), 1);
    LabelProperties hidden = Symbol(bcHorizontal);
    hidden.visibleCode = 0;
    EXPECT_EQ(FrameImage(hidden, modules, 300, CaptionExtent{1000 * dot, 10 * dot}).width,
              static_cast<long>(modules.size() + 20) * std::lround(g.moduleWidth / dot));
}

class FixedAscent final : public TextMeasure {
public:
    double Ascent() override { return 200; }
};

// Images never go to a printer: nothing asks for the scratch picture.
class NoScratch final : public ScratchForm {
public:
    ScratchPicture& Picture1() override { throw VbError(5, "no scratch picture"); }
};

std::vector<std::smatch> All(const std::string& text, const std::regex& pattern) {
    std::vector<std::smatch> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it) {
        found.push_back(*it);
    }
    return found;
}

TEST(SvgDrawing, OneRectangleABarOnWholePixelsAndTheCaptionTurnedAsGdiTurnsIt) {
    const std::string modules = ModulePattern(u"SVG 7", Encoding::Quillant1);
    const int32_t dpi = 300;
    const double dot = kTwipsPerInch / dpi;
    size_t bars = 0;
    for (size_t i = 0; i < modules.size(); ++i) bars += modules[i] == '1' && (i == 0 || modules[i - 1] == '0');
    const struct {
        int32_t turn;
        const char* rotation;
    } cases[] = {{bcHorizontal, ""}, {bcVertical, "rotate(-90 "}, {bcUpsideDown, "rotate(-180 "},
                 {bcVerticalDown, "rotate(-270 "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.turn);
        fake::Recorder recorder;
        fake::FakeObject measure(recorder, "");
        FixedAscent ascent;
        NoScratch none;
        const ImageFrame frame = FrameImage(Symbol(c.turn), modules, dpi, CaptionExtent{600, 285});
        fake::FakeFontApi glyphs(recorder);
        SvgDrawing svg(measure, ascent, glyphs, dpi, frame.width, frame.height, 0x0000FF, kWhite);
        DrawLabel(frame.properties, modules, u"SVG 7", &svg, Platform{svg, none});
        const std::string document = svg.Document();
        const auto red = All(document, std::regex("<rect x=\"(\\d+)\" y=\"(\\d+)\" width=\"(\\d+)\" height=\"(\\d+)\" "
                                                  "fill=\"#ff0000\"/>"));
        EXPECT_EQ(red.size(), bars) << document;
        const auto text = All(document, std::regex("<text [^>]*textLength=\"([0-9.]+)\"[^>]*>SVG 7</text>"));
        ASSERT_EQ(text.size(), 1u) << document;
        EXPECT_DOUBLE_EQ(std::stod(text[0][1]), 600 / dot);
        EXPECT_EQ(text[0].str().find("rotate(") != std::string::npos, *c.rotation != '\0');
        if (*c.rotation) {
            EXPECT_NE(text[0].str().find(c.rotation), std::string::npos);
        }
        EXPECT_NE(document.find("width=\"" + std::to_string(frame.width) + "\" height=\"" +
                                std::to_string(frame.height) + "\" viewBox"),
                  std::string::npos);
        // A transparent ground draws no blanks at all.
        SvgDrawing clear(measure, ascent, glyphs, dpi, frame.width, frame.height, kBlack, std::nullopt);
        DrawLabel(frame.properties, modules, u"SVG 7", &clear, Platform{clear, none});
        EXPECT_EQ(All(clear.Document(), std::regex("<rect ")).size(), bars);
    }
    EXPECT_EQ(SvgNumber(-2.5), "-2.5");
    EXPECT_EQ(SvgNumber(1.0 / 3), "0.333");
    EXPECT_EQ(SvgNumber(12), "12");
}

TEST(PixelRows, TintMixesTheCoverageAndTheDibIsBottomUpWithItsResolution) {
    // Two rows of two pixels, padded to 8 bytes: black, mid grey; white, black.
    std::vector<uint8_t> bits = {0, 0, 0, 128, 128, 128, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0};
    const PixelRows rows{bits.data(), 2, 2, 8};
    std::vector<uint8_t> alpha = CoverageAlpha(rows, 0x00FF00);
    EXPECT_EQ(std::vector<uint8_t>(alpha.begin(), alpha.begin() + 8), (std::vector<uint8_t>{0, 255, 0, 255, 0, 255, 0, 127}));
    const std::vector<uint8_t> dib = PackedDib(rows, 300);
    ASSERT_EQ(dib.size(), 40u + 16u);
    EXPECT_EQ(dib[0], 40);
    EXPECT_EQ(dib[4] | dib[5] << 8, 2);                       // width
    EXPECT_EQ(dib[8] | dib[9] << 8, 2);                       // height, positive: bottom-up
    EXPECT_EQ(dib[24] | dib[25] << 8 | dib[26] << 16, 11811); // 300 dpi in pixels a metre
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 40, dib.begin() + 46), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
    const std::vector<uint8_t> bmp = BmpFile(rows, 300);
    EXPECT_EQ(bmp.size(), 14 + dib.size());
    EXPECT_EQ(bmp[10], 54);  // the pixels' offset
    Tint(rows, 0x0000FF, 0xFF0000);  // red on blue
    EXPECT_EQ(std::vector<uint8_t>(bits.begin(), bits.begin() + 6), (std::vector<uint8_t>{0, 0, 255, 128, 0, 127}));
}

// Rows marked as the row above hold stale bytes on a canvas that writes a
// symbol's repeated rows once: every writer must show the row above there,
// and tinting must leave them to it.
TEST(PixelRows, RowsMarkedAsAboveShowTheRowAboveInEveryWriter) {
    const int width = 37, height = 12;
    const size_t stride = 112;
    std::vector<uint8_t> written(stride * height, 0);
    std::vector<uint8_t> asAbove(height, 0);
    for (int y = 0; y < height; ++y) {
        const bool repeats = y > 0 && y != 4 && y < 9;  // rows 4 and 9 to 11 hold their own
        asAbove[y] = repeats;
        for (int x = 0; x < width * 3; ++x) {
            written[y * stride + x] = repeats ? written[(y - 1) * stride + x] : static_cast<uint8_t>((x / 3) % 4 ? 255 : y * 20);
        }
    }
    std::vector<uint8_t> stale = written;
    for (int y = 1; y < height; ++y) {
        if (asAbove[y]) std::fill(stale.begin() + y * stride, stale.begin() + (y + 1) * stride, uint8_t{0x5A});
    }
    const PixelRows whole{written.data(), width, height, stride};
    const PixelRows marked{stale.data(), width, height, stride, asAbove.data()};

    const RowSurvey survey = SurveyRows(marked, PixelDepth::kBlackWhite);
    EXPECT_EQ(survey.depth, PixelDepth::kGrey);
    EXPECT_EQ(survey.repeatsAbove, SurveyRows(whole, PixelDepth::kBlackWhite).repeatsAbove);
    EXPECT_EQ(PngFile(marked, survey.depth, 300, survey.repeatsAbove), PngFile(whole, survey.depth, 300));
    EXPECT_EQ(PngFile(marked, PixelDepth::kColour, 300), PngFile(whole, PixelDepth::kColour, 300));
    EXPECT_EQ(PackedDib(marked, 300), PackedDib(whole, 300));
    EXPECT_EQ(CoverageAlpha(marked, 0x102030), CoverageAlpha(whole, 0x102030));
    Tint(marked, 0x0000FF, 0xFFEEDD);
    Tint(whole, 0x0000FF, 0xFFEEDD);
    EXPECT_EQ(BmpFile(marked, 96), BmpFile(whole, 96));
    EXPECT_EQ(stale[5 * stride], 0x5A) << "a row shown as the row above was tinted";
}

// The word-at-a-time readings run in both Windows widths too: a 32-bit
// build does each 64-bit step in halves. The sixteen-byte ones answer as the
// word loops do, which are what a processor without SSE2 takes.

// Compare, prefix, copy and fill at every length and at every place a
// difference can hide (the overlapping tails included).
TEST(ByteSpans, EveryLengthAndEveryPlaceOfADifference) {
    using Same = bool (*)(const uint8_t*, const uint8_t*, size_t);
    for (const Same same : {Same{SameBytes}, Same{SameWords}}) {
        for (size_t length = 0; length <= 80; ++length) {
            std::vector<uint8_t> a(length + 2, 0x5A), b(length + 2, 0x5A);
            EXPECT_TRUE(same(a.data() + 1, b.data() + 1, length)) << length;
            EXPECT_EQ(CommonPrefix(a.data() + 1, b.data() + 1, length), length);
            EXPECT_EQ(CommonPrefix(a.data() + 1, a.data(), length), length) << "a run, read overlapping";
            for (size_t at = 0; at < length; ++at) {
                b[1 + at] = 0x5B;
                EXPECT_FALSE(same(a.data() + 1, b.data() + 1, length)) << length << " at " << at;
                EXPECT_EQ(CommonPrefix(a.data() + 1, b.data() + 1, length), at);
                b[1 + at] = 0x5A;
            }
        }
    }
    using Copy = void (*)(uint8_t*, const uint8_t*, size_t);
    for (const Copy copy : {Copy{CopyBytes}, Copy{CopyWords}}) {
        for (size_t length = 0; length <= 80; ++length) {
            // Forward onto itself sixteen bytes back, as a window moves on.
            std::vector<uint8_t> bytes(length + 18, 7);
            for (size_t i = 0; i < length; ++i) bytes[17 + i] = static_cast<uint8_t>(i + 1);
            copy(bytes.data() + 1, bytes.data() + 17, length);
            EXPECT_EQ(bytes[0], 7) << length;
            for (size_t i = 0; i < length; ++i) EXPECT_EQ(bytes[1 + i], i + 1) << length << " at " << i;
            EXPECT_EQ(bytes[1 + length], length >= 16 ? length - 15 : 7) << length << ": one byte too many";
        }
    }
    for (size_t length = 0; length <= 80; ++length) {
        std::vector<uint8_t> filled(length + 2, 7);
        FillBytes(filled.data() + 1, 0xC3, length);
        EXPECT_EQ(filled.front(), 7);
        EXPECT_EQ(filled.back(), 7);
        EXPECT_EQ(std::count(filled.begin(), filled.end(), 0xC3), static_cast<std::ptrdiff_t>(length));
    }
}

// One grey or coloured pixel anywhere in a row of black and white, at any
// width (the word-at-a-time reading and its byte-wise tail), and the one
// channel that differs being any of the three.
TEST(PixelRows, ADepthIsSeenInAnyPixelAndAnyChannel) {
    // Greys one bit away from black or white at either end of the byte;
    // rows long enough to be read sixteen bytes at a time, twice, and then
    // a word at a time.
    constexpr uint8_t kGreys[] = {128, 1, 254, 127};
    for (int width = 1; width <= 40; ++width) {
        for (int x = 0; x < width; ++x) {
            for (int channel = 0; channel < 4; ++channel) {  // 3: all three grey
                std::vector<uint8_t> row(size_t(width) * 3);
                for (size_t i = 0; i < row.size(); ++i) row[i] = (i / 3) % 2 ? 255 : 0;
                const size_t at = size_t(x) * 3;
                if (channel == 3) {
                    row[at] = row[at + 1] = row[at + 2] = kGreys[x % 4];
                } else {
                    row[at + channel] = static_cast<uint8_t>(row[at + channel] ^ 0xFF);
                }
                const PixelDepth expected = channel == 3 ? PixelDepth::kGrey : PixelDepth::kColour;
                EXPECT_EQ(DepthOf(row.data(), width, 1, row.size(), PixelDepth::kBlackWhite), expected)
                    << width << " wide, pixel " << x << ", channel " << channel;
                EXPECT_EQ(DepthOf(row.data(), width, 1, row.size(), PixelDepth::kGrey), expected)
                    << width << " wide, pixel " << x << ", channel " << channel << ", from grey";
                row[at] = row[at + 1] = row[at + 2] = 255;
                EXPECT_EQ(DepthOf(row.data(), width, 1, row.size(), PixelDepth::kBlackWhite), PixelDepth::kBlackWhite);
            }
        }
    }
}

// A packed row holds each pixel's blue byte (grey) or bit (black and white),
// at every width: sixteen pixels a step, words and the tail.
TEST(PixelRows, APackedRowHoldsEachPixelsBlueByteOrBit) {
    for (int width = 1; width <= 70; ++width) {
        std::vector<uint8_t> row(size_t(width) * 3);
        for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint8_t>(i * 37 + width);
        std::vector<uint8_t> grey(PackedRowBytes(width, PixelDepth::kGrey) + 1, 0xA5);
        PackRow(row.data(), width, PixelDepth::kGrey, grey.data());
        for (int x = 0; x < width; ++x) ASSERT_EQ(grey[size_t(x)], row[size_t(x) * 3]) << width << " wide, pixel " << x;
        EXPECT_EQ(grey.back(), 0xA5) << width << " wide: written past the row";
        std::vector<uint8_t> bits(PackedRowBytes(width, PixelDepth::kBlackWhite));
        PackRow(row.data(), width, PixelDepth::kBlackWhite, bits.data());
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ((bits[size_t(x) / 8] >> (7 - x % 8)) & 1, row[size_t(x) * 3] != 0 ? 1 : 0)
                << width << " wide, pixel " << x;
        }
    }
}

}  // namespace
}  // namespace quillant::render
