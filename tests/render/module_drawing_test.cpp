#include "render/module_drawing.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include "tests/render/scene.h"
#include "encoding/vb_error.h"
#include "render/whole_numbers.h"

namespace quillant::render {
namespace {

using Log = std::vector<std::string>;

// Every box's corners go through Floor, and a layout's sizes through Round.
// The 32-bit build's round with the processor's rounding mode, which a host
// may have changed.
TEST(WholeNumbers, FloorAndRoundAreTheLibrarysUnderEveryRoundingMode) {
    const double values[] = {0.0, -0.0, 0.5, -0.5, 1.0, -1.0, 2.5, -2.5, 2.4999999999, -2.5000000001, 3.75, -3.75,
                             1073741823.5, -1073741823.5, 2147483646.5, -2147483647.5, 1e12 + 0.5, -1e12 - 0.5};
    for (const int mode : {FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        for (const double x : values) {
            EXPECT_EQ(Floor(x), std::floor(x)) << x << " in rounding mode " << mode;
            EXPECT_EQ(Round(x), std::round(x)) << x << " in rounding mode " << mode;
            EXPECT_EQ(WholeToInt32(std::floor(x / 4096)), static_cast<int32_t>(std::floor(x / 4096))) << x;
        }
    }
    std::fesetround(FE_TONEAREST);
    // Just short of a half: mingw's own round takes x + 0.5, which is then
    // the next whole number.
    EXPECT_EQ(Round(std::nextafter(0.5, 0.0)), 0);
    EXPECT_EQ(Round(std::nextafter(2.5, 0.0)), 2);
    EXPECT_EQ(Round(std::nextafter(-2.5, 0.0)), -2);
}

TEST(DrawModule, CallsOnEachKindOfTarget) {
    // Module at (100, 200), height 1500, width 20.
    const struct {
        const char* name;
        bool printer;
        bool dark;
        Log calls;
    } cases[] = {
        {"bar on a picture box", false, true,
         {"ForeColor=0", "DrawWidth=1", "Line(20,100,200,120,1700,0)", "Line(36,100,200,120,1700,0)"}},
        {"space on a picture box, in its BackColor", false, false,
         {"BackColor", "ForeColor=2147483663", "DrawWidth=1", "Line(20,100,200,120,1700,0)",
          "Line(36,100,200,120,1700,0)"}},
        {"bar on a printer: four edges, then the box", true, true,
         {"ForeColor=0", "DrawWidth=1", "Line(36,100,200,120,200,0)", "Line(36,100,200,100,1700,0)",
          "Line(36,120,200,120,1700,0)", "Line(36,100,1700,120,1700,0)", "Line(36,100,200,120,1700,0)"}},
        {"space on a printer is white, BackColor unread", true, false,
         {"ForeColor=16777215", "DrawWidth=1", "Line(36,100,200,120,200,0)", "Line(36,100,200,100,1700,0)",
          "Line(36,120,200,120,1700,0)", "Line(36,100,1700,120,1700,0)", "Line(36,100,200,120,1700,0)"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        scene.target.printer = test.printer;
        scene.target.backColor = [] { return Color{0x8000000F}; };  // a system colour passes through
        if (test.dark) {
            DrawBarModule(scene.asTarget(), 100, 200, 1500, 20);
        } else {
            DrawSpaceModule(scene.asTarget(), 100, 200, 1500, 20);
        }
        EXPECT_EQ(scene.log(), test.calls);
        // The pen is where the next module starts along x.
        EXPECT_EQ(scene.target.x, 120);
        EXPECT_EQ(scene.target.y, 1700);
    }
}

TEST(DrawModule, SixteenBitEdgesOverflowWhereTheyAreNeeded) {
    const struct {
        const char* name;
        bool printer;
        int16_t x, y, height, width;
        size_t linesBeforeOverflow;
    } cases[] = {
        {"x + width on a picture box", false, 32760, 0, 1500, 20, 0},
        {"y + height on a picture box", false, 0, 32000, 1500, 20, 0},
        {"x + width on a printer, before the top edge", true, 32760, 0, 1500, 20, 0},
        // The top edge needs only x + width, so it is drawn before y + height fails.
        {"y + height on a printer, after the top edge", true, 0, 32000, 1500, 20, 1},
        {"negative sums", false, -32760, 0, 1500, -20, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fake::Scene scene;
        scene.target.printer = test.printer;
        try {
            DrawBarModule(scene.asTarget(), test.x, test.y, test.height, test.width);
            ADD_FAILURE() << "no overflow";
        } catch (const VbError& error) {
            EXPECT_EQ(error.number(), vb_errors::kOverflow);
        }
        EXPECT_EQ(scene.recorder.Count("Line"), test.linesBeforeOverflow);
    }
}

}  // namespace
}  // namespace quillant::render
