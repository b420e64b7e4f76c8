#include "render/print_rotated.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "render/rotated_font.h"
#include "tests/render/scene.h"
#include "encoding/vb_error.h"

namespace quillant::render {
namespace {

using Log = std::vector<std::string>;

std::string FaceField(const LogFontA& font) { return std::string(font.lfFaceName, sizeof font.lfFaceName); }

TEST(RotatedFont, FieldsFromTheTargetsFont) {
    const struct {
        const char* name;
        bool printer;
        double fontSize;
        int32_t dpi;
        bool bold, italic, underline, strikethru;
        int32_t height, weight;
        uint8_t italicByte, underlineByte, strikeByte;
    } cases[] = {
        // The size is made whole (half to even) before it is scaled.
        {"10.5 points at 96 dpi", false, 10.5, 96, false, false, false, false, -13, 400, 0, 0, 0},
        {"8 points at 96 dpi", false, 8, 96, false, false, false, false, -11, 400, 0, 0, 0},
        {"11.5 points at 96 dpi", false, 11.5, 96, false, false, false, false, -16, 400, 0, 0, 0},
        {"10 points at 600 dpi", false, 10, 600, true, true, true, true, -83, 700, 1, 1, 1},
        {"printer: fixed height whatever its size", true, 10.5, 600, false, false, false, false, -100, 400, 0, 0, 0},
        {"printer, styled", true, 72, 96, true, false, true, false, -100, 700, 0, 1, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        scene.target.printer = test.printer;
        scene.target.adjustedFontSize = test.fontSize;
        scene.target.fontBold = test.bold;
        scene.target.fontItalic = test.italic;
        scene.target.fontUnderline = test.underline;
        scene.target.fontStrikethru = test.strikethru;
        scene.target.fontName = u"OCR A Extended";
        scene.gdi.dpi = test.dpi;
        const LogFontA font = DescribeRotatedFont(scene.asTarget(), scene.gdi, 900);
        EXPECT_EQ(font.lfHeight, test.height);
        EXPECT_EQ(font.lfWidth, 0);
        EXPECT_EQ(font.lfEscapement, 900);
        EXPECT_EQ(font.lfOrientation, 900);
        EXPECT_EQ(font.lfWeight, test.weight);
        EXPECT_EQ(font.lfItalic, test.italicByte);
        EXPECT_EQ(font.lfUnderline, test.underlineByte);
        EXPECT_EQ(font.lfStrikeOut, test.strikeByte);
        EXPECT_EQ(font.lfCharSet, 0);
        EXPECT_EQ(font.lfOutPrecision, 0);
        EXPECT_EQ(font.lfClipPrecision, 0);
        EXPECT_EQ(font.lfQuality, 2);
        EXPECT_EQ(font.lfPitchAndFamily, 33);
        EXPECT_EQ(FaceField(font), std::string("OCR A Extended") + '\0' + std::string(17, ' '));
        // The printer's own DC is never asked for its resolution.
        EXPECT_EQ(scene.recorder.Count("gdi.GetDeviceCaps"), test.printer ? 0u : 1u);
    }
}

TEST(RotatedFont, FaceNameAlwaysEndsInNul) {
    const std::u16string thirtyOne(31, u'F');
    const struct {
        const char* name;
        std::u16string face;
        int wideCharBytes;
        std::string field;
    } cases[] = {
        {"empty", u"", 1, std::string(1, '\0') + std::string(31, ' ')},
        {"31 characters fill the field with the NUL", thirtyOne, 1, std::string(31, 'F') + '\0'},
        {"32 characters are cut to 31", thirtyOne + u"G", 1, std::string(31, 'F') + '\0'},
        {"longer still", thirtyOne + u"GHIJKLMNOP", 1, std::string(31, 'F') + '\0'},
        {"Latin-1 is one byte each", u"Caf\u00e9", 1, std::string("Caf\xe9") + '\0' + std::string(27, ' ')},
        // A double-byte code page: 15 characters are 30 bytes, a 16th would
        // leave no room for the NUL.
        {"double-byte characters are cut whole", std::u16string(20, u'\u30a2'), 2,
         std::string(30, '?') + '\0' + ' '},
        // A surrogate pair straddling the 31st unit is dropped whole.
        {"no half surrogate pair", std::u16string(30, u'F') + u"\U0001F600", 1, std::string(30, 'F') + '\0' + ' '},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        scene.gdi.wideCharBytes = test.wideCharBytes;
        LogFontA font;
        SetFaceName(font, test.face, scene.gdi);
        EXPECT_EQ(FaceField(font), test.field);
    }
}

TEST(PrintRotated, PaintsTheScratchPictureIntoTheGivenRectangle) {
    const struct {
        double x, y;
        int32_t length, thickness;
        const char* paint;
    } cases[] = {
        {1350, 1180, 600, 150, "PaintPicture(picture1,1350,580,262.5,600)"},
        {0, 0, 0, 0, "PaintPicture(picture1,0,0,0,0)"},
        {10.25, -5, -100, 3, "PaintPicture(picture1,10.25,95,5.25,-100)"},
    };
    for (const auto& test : cases) {
        fake::Scene scene;
        scene.target.printer = true;
        PrintRotated(scene.asTarget(), scene.platform(), u"AB", 900, test.x, test.y, test.length, test.thickness);
        EXPECT_EQ(scene.recorder.Matching("PaintPicture"), Log{test.paint});
        EXPECT_EQ(scene.gdi.created.at(0).lfHeight, -100);
        EXPECT_TRUE(scene.gdi.Clean());
    }
}

TEST(PrintRotated, ScratchFormIsLoadedOnceAndClearedForEveryCaption) {
    fake::Scene scene;
    scene.target.printer = true;
    for (int i = 0; i < 3; ++i) {
        PrintRotated(scene.asTarget(), scene.platform(), u"AB", 900, 0, 0, 600, 150);
    }
    EXPECT_EQ(scene.recorder.Count("Form1.Load"), 1u);
    EXPECT_EQ(scene.recorder.Count("Picture1.Cls"), 3u);
    // Each clear comes after the resize, so it covers the whole picture.
    const Log scratch = scene.recorder.Matching("Picture1.");
    const Log firstCaption(scratch.begin(), scratch.begin() + 7);
    EXPECT_EQ(firstCaption, (Log{"Picture1.FontName=OCR A Extended", "Picture1.FontSize=7.199999809265137",
                                 "Picture1.Width=1500", "Picture1.TextWidth(AB)", "Picture1.Height=1010",
                                 "Picture1.BackColor=16777215", "Picture1.Cls"}));
    EXPECT_EQ(scene.recorder.Matching("PaintPicture"),
              (Log{"PaintPicture(picture1,0,-600,262.5,600)", "PaintPicture(picture2,0,-600,262.5,600)",
                   "PaintPicture(picture3,0,-600,262.5,600)"}));
}

TEST(PrintRotated, ScratchHeightIsSinglePrecision) {
    fake::Scene scene;
    scene.target.printer = true;
    scene.form.Picture1();
    scene.form.picture()->textWidth = 333.3;
    PrintRotated(scene.asTarget(), scene.platform(), u"AB", 900, 0, 0, 1, 1);
    const double height = static_cast<float>(333.3 * 10.1);
    EXPECT_EQ(scene.form.picture()->height, height);
    EXPECT_EQ(scene.recorder.Matching("Picture1.CurrentY="),
              Log{"Picture1.CurrentY=" + fake::Number(static_cast<float>(height - 10))});
}

TEST(PrintRotated, TheFontIsReleasedWhateverFails) {
    const struct {
        const char* name;
        bool printer;
        const char* member;
        int occurrence;
        bool selected;  // whether the font had gone into a DC
    } cases[] = {
        {"target's Print", false, "Print", 1, true},
        {"pen move", false, "CurrentY", 1, true},
        // Reads of hdc: SetGraphicsMode, GetDeviceCaps, the selection, the restore.
        {"hdc for the selection", false, "hdc", 3, false},
        {"hdc read again for the restore", false, "hdc", 4, true},
        {"scratch hdc for the selection", true, "Picture1.hdc", 1, false},
        {"scratch Print", true, "Picture1.Print", 1, true},
        {"scratch Image", true, "Picture1.Image", 1, true},
        {"PaintPicture", true, "PaintPicture", 1, true},
        {"scratch hdc read again", true, "Picture1.hdc", 2, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        scene.target.printer = test.printer;
        scene.recorder.FailOn(test.member, test.occurrence, VbError(438, "Object doesn't support this property"));
        EXPECT_THROW(PrintRotated(scene.asTarget(), scene.platform(), u"AB", 900, 1, 2, 3, 4), VbError);
        EXPECT_EQ(scene.recorder.Count("gdi.CreateFontIndirectA"), 1u);
        EXPECT_EQ(scene.recorder.Count("gdi.DeleteObject(256)"), 1u);
        EXPECT_EQ(scene.recorder.Count("gdi.SelectObject"), test.selected ? 2u : 0u);
        EXPECT_TRUE(scene.gdi.Clean());
    }
}

TEST(PrintRotated, AFontThePlatformCannotMakeStillPrints) {
    fake::Scene scene;
    scene.gdi.createFails = true;
    PrintRotated(scene.asTarget(), scene.platform(), u"AB", 900, 1, 2, 0, 0);
    EXPECT_EQ(scene.recorder.Matching("gdi.SelectObject"),
              (Log{"gdi.SelectObject(100,0)", "gdi.SelectObject(100,0)"}));
    EXPECT_EQ(scene.recorder.Matching("gdi.DeleteObject"), Log{"gdi.DeleteObject(0)"});
    EXPECT_EQ(scene.recorder.Count("Print(AB)"), 1u);
    EXPECT_TRUE(scene.gdi.Clean());
}

TEST(PrintRotated, SizesBeyondThirtyTwoBitsOverflowBeforeAnyFont) {
    for (const double size : {3e9, -3e9}) {
        fake::Scene scene;
        scene.target.adjustedFontSize = size;
        try {
            PrintRotated(scene.asTarget(), scene.platform(), u"AB", 900, 1, 2, 0, 0);
            ADD_FAILURE() << "no overflow";
        } catch (const VbError& error) {
            EXPECT_EQ(error.number(), vb_errors::kOverflow);
        }
        EXPECT_EQ(scene.recorder.Count("gdi.CreateFontIndirectA"), 0u);
    }
}

}  // namespace
}  // namespace quillant::render
