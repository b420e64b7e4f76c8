#include "render/encode.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "encoding/symbol_encoder.h"
#include "tests/render/scene.h"
#include "encoding/vb_error.h"

namespace quillant::render {
namespace {

using Log = std::vector<std::string>;

// The bars as drawn: each module starts with its ForeColor, the caption with
// its font.
struct DrawnModule {
    std::string color;
    std::vector<std::vector<double>> lines;
};

std::vector<DrawnModule> DrawnModules(const Log& log) {
    std::vector<DrawnModule> modules;
    for (const auto& entry : log) {
        if (entry.rfind("FontName=", 0) == 0) break;
        if (entry.rfind("ForeColor=", 0) == 0) modules.push_back({entry.substr(10), {}});
        if (entry.rfind("Line(", 0) == 0 && !modules.empty()) modules.back().lines.push_back(fake::Arguments(entry));
    }
    return modules;
}

BarcodeProperties Bars(std::u16string text, int32_t orientation, int32_t x, int32_t y, int16_t w, int16_t h) {
    BarcodeProperties p;
    p.encodeString = std::move(text);
    p.orientation = orientation;
    p.xPosition = x;
    p.yPosition = y;
    p.elementWidth = w;
    p.barHeight = h;
    p.visibleCode = 0;
    return p;
}

TEST(EncodeBars, EveryModuleInItsPlace) {
    const struct {
        const char* name;
        int32_t orientation;
        bool printer;
        int32_t x, y;
        int16_t w, h;
        std::u16string text;
    } cases[] = {
        {"defaults, picture box", bcHorizontal, false, 0, 0, 20, 1500, u"AB"},
        {"defaults turned", bcVertical, false, 0, 0, 20, 1500, u"AB"},
        {"printer, offset", bcHorizontal, true, 100, -50, 15, 800, u"X123456Y"},
        {"printer, turned and offset", bcVertical, true, -300, 700, 15, 800, u"X123456Y"},
        {"negative module width runs backwards", bcHorizontal, false, 2000, 10, -10, 300, u"12"},
        {"zero module width stacks every module", bcVertical, false, 5, 5, 0, 100, u""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        scene.target.printer = test.printer;
        scene.target.backColor = [] { return Color{0xC0FFEE}; };
        const auto p = Bars(test.text, test.orientation, test.x, test.y, test.w, test.h);
        ASSERT_EQ(scene.Encode(p), "Sucess");

        const std::string pattern = ModulePattern(test.text, Encoding::Quillant1);
        const auto n = static_cast<int>(pattern.size());
        const auto modules = DrawnModules(scene.log());
        ASSERT_EQ(modules.size(), pattern.size());
        const bool horizontal = test.orientation == bcHorizontal;
        const double X = test.x, Y = test.y, W = test.w, H = test.h;
        for (int k = 0; k < n; ++k) {
            SCOPED_TRACE(k);
            // Vertically the last module comes first, at the top.
            const char module = pattern[static_cast<size_t>(horizontal ? k : n - 1 - k)];
            const std::string light = test.printer ? "16777215" : std::to_string(0xC0FFEE);
            EXPECT_EQ(modules[static_cast<size_t>(k)].color, module == '1' ? "0" : light);
            const auto& lines = modules[static_cast<size_t>(k)].lines;
            ASSERT_EQ(lines.size(), test.printer ? 5u : 2u);
            const std::vector<double> box =
                horizontal ? std::vector<double>{36, X + k * W, Y, X + (k + 1) * W, Y + H, 0}
                           : std::vector<double>{36, X, Y + k * W, X + H, Y + (k + 1) * W, 0};
            EXPECT_EQ(lines.back(), box);
        }
        // Handed to the caption: the far end of the symbol.
        EXPECT_EQ(scene.target.x, horizontal ? X + n * W : X - H);
        EXPECT_EQ(scene.target.y, horizontal ? Y - H : Y + n * W);
        EXPECT_EQ(scene.log().back(), horizontal ? "CurrentY=" + std::to_string(test.y - test.h)
                                                 : "CurrentX=" + std::to_string(test.x - test.h));
    }
}

TEST(EncodeBars, ThePenIsReadBeforeEveryModuleAndPutBackAcross) {
    const struct {
        int32_t orientation;
        Log start;
    } cases[] = {
        {bcHorizontal,
         {"CurrentX=0", "CurrentY=-1500", "CurrentX", "CurrentY", "ForeColor=0", "DrawWidth=1",
          "Line(20,0,0,20,1500,0)", "Line(36,0,0,20,1500,0)", "CurrentY=-1500", "CurrentX", "CurrentY"}},
        {bcVertical,
         {"CurrentX=-1500", "CurrentY=0", "CurrentX", "CurrentY", "ForeColor=0", "DrawWidth=1",
          "Line(20,0,0,1500,20,0)", "Line(36,0,0,1500,20,0)", "CurrentX=-1500", "CurrentX", "CurrentY"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.orientation);
        fake::Scene scene;
        ASSERT_EQ(scene.Encode(Bars(u"AB", test.orientation, 0, 0, 20, 1500)), "Sucess");
        const Log start(scene.log().begin(), scene.log().begin() + static_cast<long>(test.start.size()));
        EXPECT_EQ(start, test.start);
    }
}

TEST(EncodeBars, BackColorIsReadAgainForEveryLightModule) {
    fake::Scene scene;
    Color next = 0x100;
    scene.target.backColor = [&next] { return next++; };
    ASSERT_EQ(scene.Encode(Bars(u"AB", bcHorizontal, 0, 0, 20, 1500)), "Sucess");
    Color expected = 0x100;
    size_t light = 0;
    for (const auto& module : DrawnModules(scene.log())) {
        if (module.color != "0") {
            EXPECT_EQ(module.color, std::to_string(expected++));
            ++light;
        }
    }
    const std::string pattern = ModulePattern(u"AB", Encoding::Quillant1);
    EXPECT_EQ(light, static_cast<size_t>(std::count(pattern.begin(), pattern.end(), '0')));
    EXPECT_EQ(scene.recorder.Count("BackColor"), light);
}

TEST(Encode, OrientationsThatDrawNothingAreRefused) {
    for (const int32_t orientation : {0, 3, -1, INT_MIN}) {
        SCOPED_TRACE(orientation);
        fake::Scene scene;
        BarcodeProperties p;  // VisibleCode and IndentedCode set
        p.orientation = orientation;
        EXPECT_EQ(scene.Encode(p), "Invalid procedure call or argument");
        EXPECT_TRUE(scene.log().empty());
    }
}

TEST(Encode, WithoutDeviceObjectNothingIsDrawn) {
    fake::Scene scene;
    EXPECT_EQ(Encode(BarcodeProperties{}, ModulePattern(u"EMPTY", Encoding::Quillant1), nullptr, scene.platform()),
              "Object variable or With block variable not set");
    EXPECT_TRUE(scene.log().empty());
}

TEST(Encode, TextThatCannotBeEncodedDrawsNothing) {
    fake::Scene scene;
    BarcodeProperties p;
    p.encodeString = u"caf\u00e9";
    EXPECT_EQ(scene.Encode(p), "Character U+00E9 at position 4 cannot be encoded in Code 128");
    EXPECT_TRUE(scene.log().empty());
}

TEST(Encode, CoordinatesThatWouldOverflowDrawNothing) {
    // "EMPTY" is 90 modules: 1800 wide at W = 20.
    const struct {
        const char* name;
        int32_t orientation;
        int32_t x, y;
        int16_t w, h;
        const char* result;
    } cases[] = {
        {"ends exactly at 32767", bcHorizontal, 30967, 0, 20, 1500, "Sucess"},
        {"ends one past 32767", bcHorizontal, 30968, 0, 20, 1500, "Overflow"},
        {"starts below -32768", bcHorizontal, -32769, 0, 20, 1500, "Overflow"},
        {"runs backwards to -32700", bcHorizontal, -30000, 0, -30, 1500, "Sucess"},
        {"runs backwards past -32768", bcHorizontal, -30100, 0, -30, 1500, "Overflow"},
        {"bottom edge at 32767", bcHorizontal, 0, 31267, 20, 1500, "Sucess"},
        {"bottom edge past 32767", bcHorizontal, 0, 31268, 20, 1500, "Overflow"},
        {"top above -32768", bcHorizontal, 0, -32769, 20, 1500, "Overflow"},
        {"YPosition - BarHeight beyond 32 bits", bcHorizontal, 0, INT_MIN, 20, 1, "Overflow"},
        {"turned, top end exactly at 32767", bcVertical, 0, 30967, 20, 1500, "Sucess"},
        {"turned, one past 32767", bcVertical, 0, 30968, 20, 1500, "Overflow"},
        {"turned, right edge at 32767", bcVertical, 31267, 0, 20, 1500, "Sucess"},
        {"turned, right edge past 32767", bcVertical, 31268, 0, 20, 1500, "Overflow"},
        {"turned, left edge at -32768", bcVertical, -32768, 0, 20, 1500, "Sucess"},
        {"turned, XPosition - BarHeight beyond 32 bits", bcVertical, INT_MIN, 0, 20, 1, "Overflow"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        BarcodeProperties p;
        p.orientation = test.orientation;
        p.xPosition = test.x;
        p.yPosition = test.y;
        p.elementWidth = test.w;
        p.barHeight = test.h;
        EXPECT_EQ(scene.Encode(p), test.result);
        if (std::string(test.result) == "Overflow") {
            EXPECT_TRUE(scene.log().empty());
        } else {
            EXPECT_EQ(DrawnModules(scene.log()).size(), 90u);
            EXPECT_EQ(scene.recorder.Count("Print"), 1u);
        }
    }
}

TEST(Encode, ATargetThatMovesItsPenElsewhereCanStillOverflowMidway) {
    fake::Scene scene;
    scene.target.penDriftX = 1000;
    EXPECT_EQ(scene.Encode(Bars(u"EMPTY", bcHorizontal, 0, 0, 20, 1500)), "Overflow");
    const size_t drawn = DrawnModules(scene.log()).size();
    EXPECT_GT(drawn, 1u);
    EXPECT_LT(drawn, 90u);
}

TEST(Encode, CaptionFollowsOnlyWhenVisibleCodeIsSet) {
    const struct {
        int16_t visible;
        int16_t indented;
        size_t prints;
    } cases[] = {{0, -1, 0}, {0, 0, 0}, {-1, 0, 1}, {1, 1, 1}, {2, -1, 1}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.visible);
        fake::Scene scene;
        BarcodeProperties p;
        p.visibleCode = test.visible;
        p.indentedCode = test.indented;
        EXPECT_EQ(scene.Encode(p), "Sucess");
        EXPECT_EQ(scene.recorder.Count("Print"), test.prints);
        EXPECT_EQ(scene.recorder.Count("FontName"), test.prints);
        if (test.prints == 0) {
            EXPECT_EQ(scene.log().back(), "CurrentY=-1500");
        }
    }
}

TEST(Encode, ErrorsFromTheTargetComeBackAsItsOwnText) {
    const struct {
        const char* name;
        int32_t orientation;
        bool printer;
        const char* member;
        int occurrence;
        VbError error;
    } cases[] = {
        {"first pen move", bcHorizontal, false, "CurrentX", 1, VbError(91, "Object required")},
        {"Line refuses its 10th call", bcHorizontal, false, "Line", 10, VbError(480, "Can't create AutoRedraw image")},
        {"printer out of paper", bcHorizontal, true, "Line", 300, VbError(482, "Printer error")},
        {"no hdc", bcVertical, false, "hdc", 1, VbError(438, "Object doesn't support this property or method")},
        {"no TextWidth", bcHorizontal, false, "TextWidth", 1,
         VbError(438, "Object doesn't support this property or method")},
        {"scratch picture refuses to print", bcVertical, true, "Picture1.Print", 1, VbError(5, "Bad DC")},
        {"no PaintPicture", bcVertical, true, "PaintPicture", 1,
         VbError(438, "Object doesn't support this property or method")},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        scene.target.printer = test.printer;
        scene.recorder.FailOn(test.member, test.occurrence, test.error);
        BarcodeProperties p;
        p.orientation = test.orientation;
        EXPECT_EQ(scene.Encode(p), test.error.description());
        EXPECT_TRUE(scene.gdi.Clean());
        // The fault was a one-off: the same object draws again.
        scene.recorder.log.clear();
        EXPECT_EQ(scene.Encode(p), "Sucess");
        EXPECT_TRUE(scene.gdi.Clean());
    }
}

}  // namespace
}  // namespace quillant::render
