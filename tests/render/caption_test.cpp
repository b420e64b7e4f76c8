#include "render/caption.h"

#include <gtest/gtest.h>

#include "encoding/symbol_encoder.h"

#include <algorithm>
#include <string>
#include <vector>

#include "tests/render/scene.h"

namespace quillant::render {
namespace {

using Log = std::vector<std::string>;

// The calls after the bars.
Log CaptionCalls(const Log& log) {
    const auto start = std::find(log.begin(), log.end(), "FontName=OCR A Extended");
    return Log(start, log.end());
}

const Log kFontAndMeasure = {"FontName=OCR A Extended", "FontSize=10.526315789473685", "FontBold=False",
                             "TextWidth(EMPTY)", "TextHeight(EMPTY)", "FillColor=16777215"};

Log Concat(std::initializer_list<Log> parts) {
    Log out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// X = Y = 0, W = 20, H = 1500, "EMPTY" (N = 90), and a target that measures
// the caption 600 wide and 285 high: d = 150, s = 600.
TEST(Caption, WorkedExamples) {
    const Log rotatedOnPictureBox = {
        "hdc", "gdi.SetGraphicsMode(100,2)",
        // 10.526... points is made 11 before scaling to 96 dpi.
        "FontSize", "hdc", "gdi.GetDeviceCaps(100,90)", "gdi.MulDiv(11,96,72)",
        "FontBold", "FontItalic", "FontUnderline", "FontStrikethru", "FontName",
        "gdi.CreateFontIndirectA", "hdc", "gdi.SelectObject(100,256)"};
    const struct {
        const char* name;
        int32_t orientation;
        int16_t indented;
        bool printer;
        Log calls;
    } cases[] = {
        {"horizontal", bcHorizontal, 0, false,
         Concat({kFontAndMeasure,
                 {"CurrentX=600", "CurrentX", "CurrentX=600", "CurrentY=1500", "Print(EMPTY)"}})},
        {"horizontal, indented into a notch in BackColor", bcHorizontal, -1, false,
         Concat({kFontAndMeasure,
                 {"CurrentX=600", "CurrentX", "BackColor", "Line(38,580,1350,1240,1500,12648430)", "CurrentX=600",
                  "CurrentY=1350", "Print(EMPTY)"}})},
        {"horizontal, indented on a printer: a white notch", bcHorizontal, -1, true,
         Concat({kFontAndMeasure,
                 {"CurrentX=600", "CurrentX", "Line(38,580,1350,1240,1500,16777215)", "CurrentX=600",
                  "CurrentY=1350", "Print(EMPTY)"}})},
        {"vertical", bcVertical, 0, false,
         Concat({kFontAndMeasure, {"CurrentY=600", "CurrentY", "CurrentX=1500", "CurrentY=1180", "CurrentX", "CurrentY"},
                 rotatedOnPictureBox,
                 {"CurrentX=1500", "CurrentY=1180", "Print(EMPTY)", "hdc", "gdi.SelectObject(100,7)",
                  "gdi.DeleteObject(256)", "hdc", "gdi.SetGraphicsMode(100,1)"}})},
        {"vertical, indented", bcVertical, -1, false,
         Concat({kFontAndMeasure,
                 {"CurrentY=600", "CurrentY", "BackColor", "Line(38,1350,560,1500,1220,12648430)", "CurrentX=1350",
                  "CurrentY=1180", "CurrentX", "CurrentY"},
                 rotatedOnPictureBox,
                 {"CurrentX=1350", "CurrentY=1180", "Print(EMPTY)", "hdc", "gdi.SelectObject(100,7)",
                  "gdi.DeleteObject(256)", "hdc", "gdi.SetGraphicsMode(100,1)"}})},
        {"vertical, indented on a printer: through the scratch picture", bcVertical, -1, true,
         Concat({kFontAndMeasure,
                 {"CurrentY=600", "CurrentY", "Line(38,1350,560,1500,1220,16777215)", "CurrentX=1350",
                  "CurrentY=1180", "CurrentX", "CurrentY",
                  "Form1.Load", "Picture1.FontName=OCR A Extended", "Picture1.FontSize=7.199999809265137",
                  "Picture1.Width=1500", "Picture1.TextWidth(EMPTY)", "Picture1.Height=1010",
                  "Picture1.BackColor=16777215", "Picture1.Cls",
                  "hdc", "gdi.SetGraphicsMode(100,2)",
                  "FontBold", "FontItalic", "FontUnderline", "FontStrikethru", "FontName",
                  "gdi.CreateFontIndirectA", "Picture1.hdc", "gdi.SelectObject(200,256)",
                  "CurrentX=1350", "CurrentY=1180",
                  "Picture1.Height", "Picture1.CurrentY=1000", "Picture1.CurrentX=0", "Picture1.Print(EMPTY)",
                  "Picture1.Image", "PaintPicture(picture1,1350,580,262.5,600)",
                  "Picture1.hdc", "gdi.SelectObject(200,7)", "gdi.DeleteObject(256)",
                  // The page's DC goes back to the mode it had, for whatever is drawn next.
                  "hdc", "gdi.SetGraphicsMode(100,1)"}})},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        scene.target.printer = test.printer;
        scene.target.backColor = [] { return Color{0xC0FFEE}; };
        BarcodeProperties p;
        p.orientation = test.orientation;
        p.indentedCode = test.indented;
        ASSERT_EQ(scene.Encode(p), "Sucess");
        ASSERT_EQ(ModulePattern(p.encodeString, Encoding::Quillant1).size(), 90u);
        EXPECT_EQ(CaptionCalls(scene.log()), test.calls);
        EXPECT_TRUE(scene.gdi.Clean());
    }
}

TEST(Caption, SizeFollowsElementWidthAsPoints) {
    const struct {
        int16_t w;
        const char* size;
    } cases[] = {{20, "FontSize=10.526315789473685"}, {15, "FontSize=7.894736842105264"}, {19, "FontSize=10"},
                 {0, "FontSize=0"}, {-19, "FontSize=-10"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.w);
        fake::Scene scene;
        BarcodeProperties p;
        p.elementWidth = test.w;
        p.xPosition = 5000;
        ASSERT_EQ(scene.Encode(p), "Sucess");
        EXPECT_EQ(scene.recorder.Matching("FontSize="), Log{test.size});
    }
}

TEST(Caption, NotchFollowsTheTextWhateverItsWidth) {
    const struct {
        const char* name;
        std::u16string text;
        double textWidth;
        int32_t orientation;
        const char* notch;
        const char* start;
    } cases[] = {
        // s = 900 - 1000 = -100: the caption overhangs both ends.
        {"wider than the symbol", u"EMPTY", 2000, bcHorizontal, "Line(38,-120,1350,1940,1500,16777215)",
         "CurrentX=-100"},
        {"wider than the symbol, turned", u"EMPTY", 2000, bcVertical, "Line(38,1350,-140,1500,1920,16777215)",
         "CurrentY=1880"},
        // 35 modules, tw = 0: s = 350 and the notch is 3 W long.
        {"empty text", u"", 0, bcHorizontal, "Line(38,330,1350,390,1500,16777215)", "CurrentX=350"},
        {"empty text, turned", u"", 0, bcVertical, "Line(38,1350,310,1500,370,16777215)", "CurrentY=330"},
        {"fractional centring", u"EMPTY", 601, bcHorizontal, "Line(38,579.5,1350,1240.5,1500,16777215)",
         "CurrentX=599.5"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        scene.target.textWidth = test.textWidth;
        BarcodeProperties p;
        p.encodeString = test.text;
        p.orientation = test.orientation;
        p.xPosition = 0;
        ASSERT_EQ(scene.Encode(p), "Sucess");
        EXPECT_EQ(scene.recorder.Matching("Line(38"), Log{test.notch});
        const Log calls = CaptionCalls(scene.log());
        const auto print = test.orientation == bcHorizontal ? "Print(" : "CurrentX=1350";
        const auto at = std::find_if(calls.begin(), calls.end(),
                                     [&](const std::string& e) { return e.rfind(print, 0) == 0; });
        ASSERT_NE(at, calls.end());
        // The position the text is printed from, set just before.
        EXPECT_EQ(*(at - (test.orientation == bcHorizontal ? 2 : -1)), test.start);
    }
}

TEST(Caption, MeasurementsTooLargeForThePrinterOverflowAfterTheNotch) {
    fake::Scene scene;
    scene.target.printer = true;
    scene.target.textWidth = 3e9;
    BarcodeProperties p;
    p.orientation = bcVertical;
    EXPECT_EQ(scene.Encode(p), "Overflow");
    EXPECT_EQ(scene.recorder.Count("Line(38"), 1u);
    EXPECT_EQ(scene.recorder.Count("gdi."), 0u);
    EXPECT_EQ(scene.form.picture(), nullptr);
}

}  // namespace
}  // namespace quillant::render
