#include "tools/zpl/zpl_graphic.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace quillant::zpl {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ZplRows, RepeatCountsAddUpAndRowsEndEarlyOrRepeat) {
    // Three bytes a row: plain digits, 'I' (3) times A, ',' zeros to the end,
    // '!' ones to the end, ':' the row before, and counts that add (H + G).
    EXPECT_EQ(DecompressRows("0F1E2D" "IA8," "C!" ":" "HGF0,", 3, 15),
              (Bytes{0x0F, 0x1E, 0x2D, 0xAA, 0xA8, 0x00, 0xCF, 0xFF, 0xFF, 0xCF, 0xFF, 0xFF, 0xFF, 0xF0, 0x00}));
    // z 400 + g 20 + H 2 = 422 digits: 211 bytes, then the rest of a 250-byte row blank; line breaks are no data.
    Bytes wide(250, 0x00);
    std::fill(wide.begin(), wide.begin() + 211, 0xFF);
    EXPECT_EQ(DecompressRows("zgHF\r\n,", 250, 250), wide);
    // CUPS ends a row that stops on an odd number of zeros with one '0' before the ','.
    EXPECT_EQ(DecompressRows("80,", 4, 4), (Bytes{0x80, 0x00, 0x00, 0x00}));
}

TEST(ZplRows, MalformedDataIsRefusedWithItsPlace) {
    const auto refused = [](const char* data, size_t bytesPerRow, size_t total) {
        try {
            DecompressRows(data, bytesPerRow, total);
        } catch (const std::runtime_error& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refused("KF,", 2, 2), "~DG: a run of 5 passes the row's end at row 1, character 2");
    EXPECT_EQ(refused(":,", 2, 4), "~DG: ':' cannot stand at row 1, character 1");
    EXPECT_EQ(refused(",", 2, 4), "~DG: 1 of 2 rows");
    EXPECT_EQ(refused(",,", 2, 2), "~DG: more than 1 rows at row 2, character 2");
    EXPECT_EQ(refused("0F", 2, 2), "~DG: the data ends inside row 1");
    EXPECT_EQ(refused("G,", 2, 2), "~DG: ',' cannot stand at row 1, character 2");
    EXPECT_EQ(refused("0Z,", 2, 2), "~DG: 'Z' cannot stand at row 1, character 2");
    EXPECT_EQ(refused(",", 2, 3), "~DG: 3 bytes are no whole number of rows of 2");
}

TEST(ZplJob, GraphicIsPlacedWhereTheLabelRecallsIt) {
    const std::vector<Graphic> graphics = ReadGraphics(
        "~SD15\n~DGR:CUPS.GRF,4,2,\n80,:\n^XA\n^POI\n^PW16\n^FO10,20^XGR:CUPS.GRF,1,1^FS\n^XZ\n"
        "^XA\n^IDR:CUPS.GRF^FS\n^XZ\n");
    ASSERT_EQ(graphics.size(), 1u);
    const Graphic& label = graphics[0];
    EXPECT_EQ(label.name, "R:CUPS.GRF");
    EXPECT_EQ(label.Width(), 16u);
    EXPECT_EQ(label.rows, 2u);
    EXPECT_EQ(label.originX, 10);
    EXPECT_EQ(label.originY, 20);
    EXPECT_EQ(label.orientation, 'I');
    EXPECT_TRUE(label.Black(0, 0) && label.Black(0, 1));
    EXPECT_FALSE(label.Black(1, 0) || label.Black(15, 1));
    EXPECT_THROW(ReadGraphics("^XA^FO0,0^GB10,10,1^FS^XZ"), std::runtime_error);
    EXPECT_THROW(ReadGraphics("~DGR:A.GRF,2,2,:Z64:eJw=:1234\n"), std::runtime_error);
}

}  // namespace
}  // namespace quillant::zpl
