// Symbols drawn as pixels and read by ZXing-C++, a reader that shares no code
// with ours: GS1-128 must come back with its symbology identifier ]C1 and the
// FNC1 separators as GS, full Code 128 with its control and Latin-1 characters.

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding/gs1_element_string.h"
#include "encoding/symbol_encoder.h"

namespace quillant {
namespace {

// Three pixels per module, ten modules of quiet zone on each side.
ZXing::Result Scan(const std::string& modules) {
    constexpr int kPixels = 3, kQuiet = 10, kHeight = 40;
    const int width = (static_cast<int>(modules.size()) + 2 * kQuiet) * kPixels;
    std::vector<uint8_t> image(static_cast<size_t>(width * kHeight), 255);
    for (int y = 0; y < kHeight; ++y) {
        for (size_t m = 0; m < modules.size(); ++m) {
            if (modules[m] != '1') continue;
            for (int p = 0; p < kPixels; ++p) {
                image[static_cast<size_t>(y * width + (kQuiet + static_cast<int>(m)) * kPixels + p)] = 0;
            }
        }
    }
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Code128);
    return ZXing::ReadBarcode({image.data(), width, kHeight, ZXing::ImageFormat::Lum}, hints);
}

TEST(ZxingScan, Gs1SymbolReadsWithItsSeparators) {
    const Gs1Message message = ParseGs1(u"(01)09501101530003(10)ABC(21)XYZ(17)250101");
    const ZXing::Result result = Scan(ModulePattern(message.data, Encoding::Gs1));
    ASSERT_TRUE(result.isValid());
    EXPECT_EQ(result.symbologyIdentifier(), "]C1");
    EXPECT_EQ(result.text(), "0109501101530003" "10ABC\x1D" "21XYZ\x1D" "17250101");
}

TEST(ZxingScan, FullSymbolsReadBack) {
    struct Case {
        std::u16string text;
        const char* utf8;
    } const cases[] = {
        {u"\x01\u00E9\x01", "\x01\xC3\xA9\x01"},  // FNC4, Shift, character
        {u"Gr\u00FC\u00DFe 1234\x7F", "Gr\xC3\xBC\xC3\x9F" "e 1234\x7F"},
        {u"\t\u00C0123456\u00FF", "\t\xC3\x80" "123456\xC3\xBF"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.utf8);
        const ZXing::Result result = Scan(ModulePattern(test.text, Encoding::Full));
        ASSERT_TRUE(result.isValid());
        EXPECT_EQ(result.symbologyIdentifier(), "]C0");
        EXPECT_EQ(result.text(), test.utf8);
    }
}

// Symbols that latch extended mode (two FNC4 in a row), toggle one character
// back with a single FNC4 (and Shift), unlatch, and carry digits in code set
// C while latched. (ZXing guesses the character set of what it reads: bytes
// such as C0..C6 come back as Shift_JIS whether latched or not.)
TEST(ZxingScan, LatchedSymbolsReadBack) {
    struct Case {
        std::u16string text;
        const char* utf8;
    } const cases[] = {
        {u"\u00E9\u00E9\u00E9\u00E9" u"1234\u00E9\u00E9\u00E9\u00E9", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9" "1234\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"},
        {u"\u00E9\u00E8\u00EA\u00EB\x01\u00E9\u00E8", "\xC3\xA9\xC3\xA8\xC3\xAA\xC3\xAB\x01\xC3\xA9\xC3\xA8"},
        {u"\u00E4\u00F6\u00FC\u00DF\u00E4\u00F6 abcdefgh", "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA4\xC3\xB6 abcdefgh"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.utf8);
        const std::vector<int> values = SymbolValues(test.text, Encoding::Full);
        bool latched = false;
        for (size_t i = 1; i + 1 < values.size(); ++i) {
            latched = latched || (values[i] == values[i + 1] && (values[i] == 100 || values[i] == 101));
        }
        EXPECT_TRUE(latched);
        const ZXing::Result result = Scan(ModulePattern(test.text, Encoding::Full));
        ASSERT_TRUE(result.isValid());
        EXPECT_EQ(result.text(), test.utf8);
    }
}

}  // namespace
}  // namespace quillant
