#include "render/label_commands.h"

#include <cmath>

#include "encoding/vb_error.h"
#include "render/label_geometry.h"
#include "render/label_orientation.h"
#include "render/printer_field_data.h"

namespace quillant::render {
namespace {

using vb_errors::PrinterCommandError;
using vb_errors::PrinterCommandFault;

constexpr double kTwipsPerInch = 1440;
constexpr int kMostModuleDots = 10;  // ^BY and EPL's narrow bar
constexpr int kMostZplDots = 32000;  // ^FO and ^BC
constexpr int kMostEplBarDots = 9999;

// The turn names of each language, by Quillant2's orientation.
struct CommandTurn {
    int32_t orientation;
    char zpl;  // ^BC: N normal, R 90 degrees clockwise, I 180, B 270
    char epl;  // B p3: 0 normal, 1 90 degrees clockwise, 2 180, 3 270
};
constexpr CommandTurn kCommandTurns[] = {
    {bcHorizontal, 'N', '0'},
    {bcVerticalDown, 'R', '1'},  // reads top to bottom
    {bcUpsideDown, 'I', '2'},
    {bcVertical, 'B', '3'},      // reads bottom to top
};

// Only for orientations Place has accepted.
const CommandTurn& TurnOf(int32_t orientation) {
    for (const CommandTurn& turn : kCommandTurns) {
        if (turn.orientation == orientation) return turn;
    }
    throw vb_errors::InvalidCall();
}

// The caption choice as the printer's interpretation line: the one place
// where it becomes the commands. The line sits on the bars' caption side in
// every turn, as Quillant2's own caption does.
struct InterpretationLine {
    bool printed;
    bool above;
};
InterpretationLine InterpretationLineOf(const LabelProperties& p) {
    return {p.visibleCode != 0 && p.caption.position != bcCaptionNone, p.caption.position == bcCaptionAbove};
}

// The symbol's bars on the label, in dots.
struct Placement {
    int left, top, right, bottom;  // edges: right and bottom one past the last dot
    int moduleDots;
    int barDots;
};

int Dots(double twips, double dot) { return static_cast<int>(std::lround(twips / dot)); }

Placement Place(const LabelProperties& p, std::string_view modules) {
    // As Encode: Quillant2 draws four turns and refuses any other.
    const LabelOrientation* turn = FindLabelOrientation(p.orientation);
    if (!turn) throw vb_errors::InvalidCall();
    if (p.barWidthReduction != 0) throw PrinterCommandError(PrinterCommandFault::kBarWidthReduction);
    const int32_t dpi = p.deviceResolution > 0 ? p.deviceResolution : kDefaultLabelResolution;
    const double dot = kTwipsPerInch / dpi;
    // The layout Quillant2 draws, snapped to these dots whatever SnapToDevice says.
    const LabelGeometry geometry = LayOut(p, modules, DotSize{dot, dot});
    const bool runsDown = turn->runsDown;
    Placement placed{Dots(geometry.symbol.x1, dot), Dots(geometry.symbol.y1, dot), Dots(geometry.symbol.x2, dot),
                     Dots(geometry.symbol.y2, dot), Dots(geometry.moduleWidth, dot), 0};
    placed.barDots = runsDown ? placed.right - placed.left : placed.bottom - placed.top;
    if (placed.moduleDots > kMostModuleDots) {
        throw PrinterCommandError(PrinterCommandFault::kModuleTooWide,
                                  std::to_string(placed.moduleDots) + " dots at " + std::to_string(dpi) + " dpi");
    }
    for (const int edge : {placed.left, placed.top, placed.right, placed.bottom}) {
        if (edge < 0 || edge > kMostZplDots) {
            throw PrinterCommandError(PrinterCommandFault::kPositionOutOfRange, std::to_string(edge));
        }
    }
    return placed;
}

std::string Zpl(const LabelProperties& p, const std::vector<int>& values, std::string_view modules) {
    const Placement at = Place(p, modules);
    const InterpretationLine line = InterpretationLineOf(p);
    // ^FO is the upper left corner of the turned field.
    return "^XA\n^FO" + std::to_string(at.left) + "," + std::to_string(at.top) + "^BY" +
           std::to_string(at.moduleDots) + "^BC" + TurnOf(p.orientation).zpl + "," + std::to_string(at.barDots) +
           "," + (line.printed ? "Y" : "N") + "," + (line.above ? "Y" : "N") + ",N,N^FD" + ZplFieldData(values) +
           "^FS\n^XZ\n";
}

std::string Epl(const LabelProperties& p, const std::vector<int>& values, std::string_view modules) {
    const EplField field = EplFieldData(values);
    const Placement at = Place(p, modules);
    if (at.barDots > kMostEplBarDots) {
        throw PrinterCommandError(PrinterCommandFault::kBarTooTall, std::to_string(at.barDots));
    }
    const InterpretationLine line = InterpretationLineOf(p);
    if (line.printed && line.above) throw PrinterCommandError(PrinterCommandFault::kEplCaptionAbove);
    const CommandTurn& turn = TurnOf(p.orientation);
    // EPL turns a field about its start point, which is the unturned field's
    // upper left corner: the corner of the bars that comes there.
    const int x = turn.epl == '1' || turn.epl == '2' ? at.right : at.left;
    const int y = turn.epl == '2' || turn.epl == '3' ? at.bottom : at.top;
    // The wide bar is unused by Code 128 but must be 2 to 30.
    const int wide = at.moduleDots < 2 ? 2 : at.moduleDots;
    return "\nN\nB" + std::to_string(x) + "," + std::to_string(y) + "," + turn.epl + "," + field.type + "," +
           std::to_string(at.moduleDots) + "," + std::to_string(wide) + "," + std::to_string(at.barDots) + "," +
           (line.printed ? "B" : "N") + ",\"" + field.data + "\"\nP1\n";
}

}  // namespace

std::optional<CommandLanguage> FindCommandLanguage(std::u16string_view name) {
    auto is = [&](const char* expected) {
        size_t i = 0;
        for (; expected[i]; ++i) {
            if (i >= name.size()) return false;
            char16_t c = name[i];
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
            if (c != static_cast<char16_t>(expected[i])) return false;
        }
        return i == name.size();
    };
    if (is("ZPL")) return CommandLanguage::kZpl;
    if (is("EPL")) return CommandLanguage::kEpl;
    return std::nullopt;
}

std::string LabelCommands(const LabelProperties& properties, const std::vector<int>& values,
                          std::string_view modules, CommandLanguage language) {
    return language == CommandLanguage::kZpl ? Zpl(properties, values, modules) : Epl(properties, values, modules);
}

}  // namespace quillant::render
