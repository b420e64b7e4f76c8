// Quillant2's drawing: modules in whole device dots in all four turns, bar
// width reduction, quiet zones, one box per bar, the caption on the side the
// turn puts it, and nothing drawn when a coordinate overflows.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "encoding/symbol_encoder.h"
#include "render/caption_runs.h"
#include "render/label_encode.h"
#include "render/label_geometry.h"
#include "tests/render/scene.h"

namespace quillant::render {
namespace {

constexpr double kDot203 = 1440.0 / 203;  // twips

LabelProperties Label(int32_t orientation, int16_t width) {
    LabelProperties p;
    p.orientation = orientation;
    p.elementWidth = width;
    p.xPosition = 1440;
    p.yPosition = 1440;
    return p;
}

bool WholeDots(double value, double dot) { return std::fabs(value / dot - std::round(value / dot)) < 1e-9; }

// Widths in dots along the reading direction; the bars come in reading order.
std::vector<long> BarDots(const LabelGeometry& g, int32_t orientation, DotSize dot) {
    std::vector<long> widths;
    for (const Box& bar : g.bars) {
        const bool alongX = orientation == bcHorizontal || orientation == bcUpsideDown;
        const double low = alongX ? bar.x1 / dot.x : bar.y1 / dot.y;
        const double high = alongX ? bar.x2 / dot.x : bar.y2 / dot.y;
        widths.push_back(std::lround(high - low) + 1);  // both corners inclusive
    }
    return widths;
}

TEST(LabelGeometry, ModulesAreWholeDotsInEveryTurn) {
    const std::string modules = ModulePattern(u"Label 42", Encoding::Quillant1);
    const DotSize dot{kDot203, kDot203};
    for (int16_t width : {int16_t{10}, int16_t{15}, int16_t{20}, int16_t{45}}) {
        const long dots = std::max(1L, std::lround(width / kDot203));
        std::vector<long> expected;
        for (size_t i = 0; i < modules.size();) {
            size_t end = i;
            while (end < modules.size() && modules[end] == modules[i]) ++end;
            if (modules[i] == '1') expected.push_back(static_cast<long>(end - i) * dots);
            i = end;
        }
        for (int32_t turn : {int32_t{bcHorizontal}, int32_t{bcVertical}, int32_t{bcUpsideDown}, int32_t{bcVerticalDown}}) {
            SCOPED_TRACE(testing::Message() << "width " << width << ", turn " << turn);
            const LabelGeometry g = LayOut(Label(turn, width), modules, dot);
            for (const Box& bar : g.bars) {
                EXPECT_TRUE(WholeDots(bar.x1, dot.x) && WholeDots(bar.y1, dot.y) && WholeDots(bar.x2, dot.x) &&
                            WholeDots(bar.y2, dot.y));
            }
            EXPECT_EQ(BarDots(g, turn, dot), expected);
            // Turned the other way round, the first bar is at the far end.
            const bool reversed = turn == bcUpsideDown || turn == bcVertical;
            const bool alongX = turn == bcHorizontal || turn == bcUpsideDown;
            const double first = alongX ? g.bars.front().x1 : g.bars.front().y1;
            const double last = alongX ? g.bars.back().x1 : g.bars.back().y1;
            EXPECT_EQ(first > last, reversed);
            EXPECT_NEAR(g.length, static_cast<double>(modules.size() * dots) * kDot203, 1e-9);
        }
    }
}

TEST(LabelGeometry, ReductionNarrowsBarsAndQuietZonesWidenTheArea) {
    const std::string modules = ModulePattern(u"AB", Encoding::Quillant1);
    const DotSize dot{kDot203, kDot203};
    LabelProperties p = Label(bcHorizontal, 28);  // 3.95 dots: 4
    p.barWidthReduction = 25;
    p.quietZones = -1;
    const LabelGeometry g = LayOut(p, modules, dot);
    const std::vector<long> widths = BarDots(g, bcHorizontal, dot);
    for (long w : widths) EXPECT_EQ(w % 4, 3) << "one dot off every bar";
    const double quiet = 10 * 4 * kDot203;
    EXPECT_NEAR(g.bars.front().x1 - g.area.x1, quiet + std::floor(1 / 2.0) * kDot203, 1e-9);
    EXPECT_NEAR(g.length, static_cast<double>(modules.size() + 20) * 4 * kDot203, 1e-9);

    // Half a dot is no dot: a two-dot module's bars keep both at 25 %.
    p.elementWidth = 14;  // 1.97 dots: 2
    for (long w : BarDots(LayOut(p, modules, dot), bcHorizontal, dot)) EXPECT_EQ(w % 2, 0);
    p.barWidthReduction = 26;
    for (long w : BarDots(LayOut(p, modules, dot), bcHorizontal, dot)) EXPECT_EQ(w % 2, 1);

    // A one-dot module keeps its one dot whatever the reduction.
    p.elementWidth = 5;
    p.barWidthReduction = 50;
    for (long w : BarDots(LayOut(p, modules, dot), bcHorizontal, dot)) EXPECT_GE(w, 1);
}

TEST(LabelEncode, OneBoxPerBarOnTheTargetsDots) {
    fake::Scene scene;
    scene.target.pixelX = scene.target.pixelY = 15;  // a 96-dpi picture box in twips
    LabelProperties p = Label(bcHorizontal, 20);     // 1.33 pixels: 1
    p.visibleCode = 0;
    const std::string modules = ModulePattern(u"AB", Encoding::Quillant1);
    ASSERT_EQ(EncodeLabel(p, modules, u"AB", &scene.target, scene.platform()), "Sucess");
    const auto lines = scene.recorder.Matching("Line(");
    ASSERT_EQ(lines.size(), 1 + 16u) << "the area, then the 16 bars of AB";
    EXPECT_EQ(lines[0], "Line(38,1440,1440,2280,2925,16777215)") << "57 modules of one pixel, 100 pixels high";
    EXPECT_EQ(lines[1], "Line(38,1440,1440,1455,2925,0)") << "start B: a bar of two modules";

    // Without ScaleX the target is drawn at ElementWidth, unsnapped.
    fake::Scene plain;
    ASSERT_EQ(EncodeLabel(p, modules, u"AB", &plain.target, plain.platform()), "Sucess");
    EXPECT_EQ(plain.recorder.Matching("Line(")[1], "Line(38,1440,1440,1480,2940,0)");
}

TEST(LabelEncode, CaptionGoesBesideTheBarsOnTheTurnsSide) {
    const struct {
        int32_t turn;
        const char* start;  // where the text starts
        const char* how;
    } cases[] = {
        {bcHorizontal, "CurrentY=2790", "Print(AB)"},
        {bcUpsideDown, "CurrentY=1590", "Print(AB)"},
        {bcVertical, "CurrentX=2790", "Print(AB)"},
        {bcVerticalDown, "CurrentX=1590", "Print(AB)"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.turn);
        fake::Scene scene;
        scene.target.pixelX = scene.target.pixelY = 15;
        LabelProperties p = Label(test.turn, 30);
        p.barHeight = 1500;
        ASSERT_EQ(EncodeLabel(p, ModulePattern(u"AB", Encoding::Quillant1), u"AB", &scene.target, scene.platform()), "Sucess");
        EXPECT_EQ(scene.recorder.Count(test.start), 1u);
        EXPECT_EQ(scene.recorder.Count(test.how), 1u);
        EXPECT_TRUE(scene.gdi.Clean());
    }
}

// Above or below the bars, a gap or a notch, or no caption; the notch sets
// the caption into the bars on its own side and takes the gap's place.
TEST(LabelEncode, CaptionPositionGapAndNotch) {
    const struct {
        int32_t position;
        int32_t gap;
        int16_t notch;
        const char* y;  // the text's top; empty: no caption
    } cases[] = {
        {bcCaptionBelow, 0, 0, "CurrentY=2940"},  {bcCaptionBelow, 45, 0, "CurrentY=2985"},
        {bcCaptionBelow, 45, -1, "CurrentY=2790"}, {bcCaptionAbove, 0, 0, "CurrentY=1155"},
        {bcCaptionAbove, 45, 0, "CurrentY=1110"},  {bcCaptionAbove, 0, -1, "CurrentY=1305"},
        {bcCaptionNone, 45, -1, ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::to_string(test.position) + " " + std::to_string(test.gap) + " " + std::to_string(test.notch));
        fake::Scene scene;
        scene.target.pixelX = scene.target.pixelY = 15;
        LabelProperties p = Label(bcHorizontal, 30);
        p.barHeight = 1500;
        p.indentedCode = test.notch;
        p.caption.position = test.position;
        p.caption.gap = test.gap;
        ASSERT_EQ(EncodeLabel(p, ModulePattern(u"AB", Encoding::Quillant1), u"AB", &scene.target, scene.platform()), "Sucess");
        EXPECT_EQ(scene.recorder.Count("Print"), *test.y ? 1u : 0u);
        if (*test.y) {
            EXPECT_EQ(scene.recorder.Count(test.y), 1u);
        }
        EXPECT_EQ(scene.recorder.Count("Line(38,"), 1 + 16u + (test.notch && *test.y ? 1 : 0));
    }
}

// Control characters leave a space; letters the chosen face lacks are
// printed in the fallback face, each run measured in its own face and the
// whole centred by their sum.
TEST(LabelEncode, CaptionRunsTakeTheFaceThatHasTheirGlyphs) {
    fake::Scene scene;
    scene.target.pixelX = scene.target.pixelY = 15;
    scene.gdi.lacking = u"\u00E9";
    scene.target.widthOf = [](std::u16string_view text, const std::u16string& face) {
        return static_cast<double>(text.size()) * (face == kFallbackCaptionFace ? 150 : 100);
    };
    LabelProperties p = Label(bcHorizontal, 30);
    p.indentedCode = 0;
    p.caption.face = u"Chosen";
    p.caption.bold = true;
    const std::u16string caption = u"A\tB\u00E9\u0085C\r\n";
    const std::string modules = ModulePattern(u"ABC", Encoding::Quillant1);
    ASSERT_EQ(EncodeLabel(p, modules, caption, &scene.target, scene.platform()), "Sucess");
    const std::vector<std::string> prints = scene.recorder.Matching("Print");
    EXPECT_EQ(prints, (std::vector<std::string>{"Print(A B)", "Print(\\u00E9)", "Print( C  )"}));
    const std::vector<std::string> names = scene.recorder.Matching("FontName=");
    EXPECT_EQ(names.back(), "FontName=Chosen") << "back to the chosen face for the last run";
    EXPECT_EQ(scene.recorder.Count("FontBold=True"), names.size()) << "every face set bold";
    // 850 twips of text: 300 + 150 + 400, each run starting where the last ended.
    const LabelGeometry g = LayOut(p, modules, DotSize{15, 15});
    const double start = g.symbol.x1 + (g.symbol.x2 - g.symbol.x1 - 850) / 2;
    const std::vector<std::string> xs = scene.recorder.Matching("CurrentX=");
    ASSERT_GE(xs.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(xs.end() - 3, xs.end()),
              (std::vector<std::string>{"CurrentX=" + fake::Number(start), "CurrentX=" + fake::Number(start + 300),
                                        "CurrentX=" + fake::Number(start + 450)}));
}

TEST(LabelEncode, RefusalsDrawNothing) {
    const struct {
        const char* name;
        int32_t x;
        int32_t turn;
        const char* result;
    } cases[] = {
        {"past the 32-bit range", 2147483000, bcHorizontal, "Overflow"},
        {"no such turn", 0, 5, "Invalid procedure call or argument"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        LabelProperties p = Label(test.turn, 20);
        p.xPosition = test.x;
        EXPECT_EQ(EncodeLabel(p, ModulePattern(u"AB", Encoding::Quillant1), u"AB", &scene.target, scene.platform()), test.result);
        EXPECT_EQ(scene.recorder.Count("Line"), 0u);
    }
}

}  // namespace
}  // namespace quillant::render
