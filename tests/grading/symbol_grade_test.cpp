// Whole symbols drawn on a dot grid, graded as the tool grades pictures: the
// letter and the parameter that keeps it down.

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>

#include "encoding/symbol_encoder.h"
#include "tests/grading/synthetic_symbol.h"
#include "tools/grading/code128_characters.h"
#include "tools/grading/symbol_grade.h"

namespace quillant::grading::testing {
namespace {

enum class Fault { None, WrongCheck, SpotInBar, SpotInQuietZone, Caption, Frame };

struct Case {
    const char* name;
    std::u16string text;
    Drawing drawing;
    Fault fault;
    char letter;
    std::optional<Parameter> reason;  // the parameter with the lowest mean grade
};

Drawing Dots(double dotsPerModule) {
    Drawing d;
    d.dotsPerModule = dotsPerModule;
    return d;
}
Drawing Reflectances(double dark, double light) {
    Drawing d = Dots(3);
    d.dark = dark;
    d.light = light;
    return d;
}
Drawing Quiet(int modules) {
    Drawing d = Dots(3);
    d.quietModules = modules;
    return d;
}

// The check character swapped for the next value: the symbol still has only
// valid characters, only the sum is wrong.
std::string WithWrongCheck(std::string modules) {
    const size_t at = modules.size() - kStopModules - kCharacterModules;
    for (int value = 0; value < kStartA; ++value) {
        std::string pattern;
        const auto widths = kCharacterWidths[static_cast<size_t>(value)];
        for (size_t k = 0; k < widths.size(); ++k) {
            pattern.append(static_cast<size_t>(widths[k] - '0'), k % 2 ? '0' : '1');
        }
        if (pattern == modules.substr(at, kCharacterModules)) continue;
        return modules.replace(at, kCharacterModules, pattern);
    }
    return modules;
}

GreyPicture Draw(const Case& c) {
    std::string modules = ModulePattern(c.text, Encoding::Quillant1);
    if (c.fault == Fault::WrongCheck) modules = WithWrongCheck(modules);
    Drawing drawing = c.drawing;
    if (c.fault == Fault::Caption) drawing.margin = 30;
    GreyPicture picture = DrawSymbol(modules, drawing);
    const int dots = static_cast<int>(drawing.dotsPerModule);
    const int quiet = drawing.quietModules * dots;
    // Rows 30 % to 70 % down the bars: four of the ten scan lines cross it.
    const int spotTop = drawing.margin + drawing.barHeight * 3 / 10;
    const int spotHeight = drawing.barHeight * 4 / 10;
    switch (c.fault) {
        case Fault::SpotInBar:  // inside the start character's two-module bar
            Paint(picture, {quiet + 1, spotTop, 2 * dots - 2, spotHeight}, 0.35);
            break;
        case Fault::SpotInQuietZone:
            Paint(picture, {quiet / 2, spotTop, 3, spotHeight}, 0.65);
            break;
        case Fault::Caption:
            // Rows of glyph-like marks below the bars, each row unlike the last.
            for (int y = 0; y < 14; ++y) {
                for (int x = quiet + (y % 3); x + 2 < picture.width - quiet; x += 5 + (x + y) % 4) {
                    Paint(picture, {x, drawing.margin + drawing.barHeight + 8 + y, 2, 1}, 0);
                }
            }
            break;
        case Fault::Frame:
            Paint(picture, {0, 0, picture.width, 2}, 0);
            Paint(picture, {0, picture.height - 2, picture.width, 2}, 0);
            Paint(picture, {0, 0, 2, picture.height}, 0);
            Paint(picture, {picture.width - 2, 0, 2, picture.height}, 0);
            break;
        default:
            break;
    }
    return picture;
}

double MeanGrade(const SymbolGrade& symbol, Parameter p) {
    double sum = 0;
    for (const auto& line : symbol.lines) sum += line.Grade(p);
    return sum / static_cast<double>(symbol.lines.size());
}

std::optional<Parameter> Reason(const SymbolGrade& symbol) {
    std::optional<Parameter> worst;
    for (int i = 0; i < kParameterCount; ++i) {
        const auto p = static_cast<Parameter>(i);
        if (MeanGrade(symbol, p) < 4 && (!worst || MeanGrade(symbol, p) < MeanGrade(symbol, *worst))) worst = p;
    }
    return worst;
}

Drawing AtOrigin(Drawing d, double origin) {
    d.origin = origin;
    return d;
}

// 203 dpi: a 20-twip module is 2.82 dots, a 15-twip module 2.11.
const Case kCases[] = {
    {"one dot a module", u"Quillant 128", Dots(1), Fault::None, 'A', std::nullopt},
    {"two dots a module", u"AB", Dots(2), Fault::None, 'A', std::nullopt},
    {"three dots a module", u"X123456Y", Dots(3), Fault::None, 'A', std::nullopt},
    {"five dots off the grid's origin", u"0012345678", AtOrigin(Dots(5), 0.4), Fault::None, 'A', std::nullopt},
    {"2.82 dots a module", u"Quillant 128", Dots(2.82), Fault::None, 'D', Parameter::Decodability},
    {"2.82 dots, another phase", u"Quillant 128", AtOrigin(Dots(2.82), 0.3), Fault::None, 'C',
     Parameter::Decodability},
    {"2.11 dots a module", u"Quillant 128", Dots(2.11), Fault::None, 'F', Parameter::Decodability},
    {"low contrast", u"AB", Reflectances(0.40, 0.85), Fault::None, 'C', Parameter::SymbolContrast},
    {"grey bars", u"AB", Reflectances(0.55, 1.0), Fault::None, 'F', Parameter::MinimumReflectance},
    {"void in a bar", u"AB", Dots(3), Fault::SpotInBar, 'C', Parameter::Defects},
    {"speck in the quiet zone", u"AB", Dots(3), Fault::SpotInQuietZone, 'C', Parameter::Defects},
    {"three-module quiet zones", u"AB", Quiet(3), Fault::None, 'F', Parameter::QuietZones},
    {"wrong check character", u"AB", Dots(3), Fault::WrongCheck, 'F', Parameter::Decode},
    {"caption under the bars", u"Quillant 128", Dots(3), Fault::Caption, 'A', std::nullopt},
    {"frame around the symbol", u"AB", Quiet(12), Fault::Frame, 'F', Parameter::Decode},
};

class SymbolGradeTest : public ::testing::TestWithParam<Case> {};

TEST_P(SymbolGradeTest, GradesAndNamesTheReason) {
    const Case& c = GetParam();
    const SymbolGrade symbol = GradeSymbol(Draw(c), {});
    ASSERT_TRUE(symbol.found) << symbol.failure;
    EXPECT_EQ(LetterOf(symbol.grade), c.letter) << "grade " << symbol.grade;
    EXPECT_EQ(Reason(symbol), c.reason);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
    std::string name;
    for (const char* p = param.param.name; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Symbols, SymbolGradeTest, ::testing::ValuesIn(kCases), CaseName);

TEST(SymbolGrade, CroppingAwayAFrameLeavesTheSymbol) {
    const Case framed{"", u"AB", Quiet(12), Fault::Frame, 'A', std::nullopt};
    const GreyPicture picture = Draw(framed);
    const SymbolGrade symbol = GradeSymbol(picture, {Region{2, 2, picture.width - 4, picture.height - 4}, {}});
    EXPECT_EQ(LetterOf(symbol.grade), 'A');
    EXPECT_EQ(symbol.text, "AB");
}

// A picture turned by `degrees` counter-clockwise.
GreyPicture Turned(const GreyPicture& upright, int degrees) {
    return degrees == 0 ? upright : TurnBack(upright, 360 - degrees);
}

struct Turn {
    int degrees;
    std::optional<int> told;  // the orientation given to the grader
};

class TurnedSymbolTest : public ::testing::TestWithParam<Turn> {};

TEST_P(TurnedSymbolTest, GradesAsUpright) {
    const Turn turn = GetParam();
    const GreyPicture picture = Turned(DrawSymbol(ModulePattern(u"Quillant 128", Encoding::Quillant1), Dots(2)), turn.degrees);
    const SymbolGrade symbol = GradeSymbol(picture, {std::nullopt, turn.told});
    EXPECT_EQ(LetterOf(symbol.grade), 'A');
    EXPECT_EQ(symbol.text, "Quillant 128");
}

std::string TurnName(const ::testing::TestParamInfo<Turn>& param) {
    return "turned" + std::to_string(param.param.degrees) + "_told" +
           (param.param.told ? std::to_string(*param.param.told) : std::string("nothing"));
}

INSTANTIATE_TEST_SUITE_P(Orientations, TurnedSymbolTest,
                         ::testing::Values(Turn{90, 90}, Turn{180, 180}, Turn{270, 270}, Turn{90, std::nullopt},
                                           Turn{270, std::nullopt}, Turn{180, 0}),
                         TurnName);

TEST(SymbolGrade, BlankPictureHasNoSymbol) {
    GreyPicture blank;
    blank.width = 40;
    blank.height = 20;
    blank.levels.assign(800, 255);
    EXPECT_FALSE(GradeSymbol(blank, {}).found);
}

}  // namespace
}  // namespace quillant::grading::testing
