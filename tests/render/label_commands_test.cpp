// LabelCommands: the planned symbol spelled as ZPL and EPL field data, read
// back by the guides' tables; the field's place, module, height, turn and
// interpretation line in dots; and every symbol a language cannot print
// exactly refused with its reason.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "encoding/gs1_element_string.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"
#include "render/label_commands.h"
#include "render/printer_field_data.h"

namespace quillant::render {
namespace {

// ^FD of ^BC mode N read back as the ZPL guide's table gives it: start
// codes, digit pairs in A and C, characters in B, invocation codes.
std::vector<int> ReadZplField(const std::string& field) {
    std::vector<int> values;
    char set = 'B';
    bool shifted = false;
    for (size_t i = 0; i < field.size();) {
        const char now = shifted ? (set == 'A' ? 'B' : 'A') : set;
        shifted = false;
        if (field[i] == '>') {
            const char code = field[i + 1];
            i += 2;
            if (code == '9' || code == ':' || code == ';') {
                set = code == '9' ? 'A' : code == ':' ? 'B' : 'C';
                values.push_back(code == '9' ? 103 : code == ':' ? 104 : 105);
                continue;
            }
            const std::string codes = "0<=12345678";
            const int table[] = {30, 62, 94, 95, 96, 97, 98, 99, 100, 101, 102};
            const int value = table[codes.find(code)];
            values.push_back(value);
            if (value == 98) shifted = true;
            if (value == 99) set = 'C';
            if (value == 100 && now != 'B') set = 'B';
            if (value == 101 && now != 'A') set = 'A';
            continue;
        }
        if (now == 'B') {
            values.push_back(field[i++] - ' ');
        } else {
            values.push_back((field[i] - '0') * 10 + (field[i + 1] - '0'));
            i += 2;
        }
    }
    return values;
}

std::vector<int> Values(std::u16string_view text, Encoding encoding = Encoding::Full) {
    return SymbolValues(text, encoding);
}

TEST(ZplFieldData, SpellsEveryPlanSoTheGuidesTableReadsItBack) {
    const std::u16string texts[] = {
        u"Quillant 128", u"ABC123456def", u"a\x01" u"b", u"\x01" u"a\x02", u"x>y^z~\x7F", u"0123456789",
        u"Caf\u00e9 No\u00ebl!", u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9", u"\u0081\u00e9\x01", u"12\u00c912", u"\x1b" u"ab12345",
    };
    for (const std::u16string& text : texts) {
        const std::vector<int> values = Values(text);
        const std::string field = ZplFieldData(values);
        const std::vector<int> planned(values.begin(), values.end() - 1);  // the printer adds the check
        EXPECT_EQ(ReadZplField(field), planned) << field;
        EXPECT_EQ(field.find_first_of("^~"), std::string::npos) << field;
        for (const char c : field) EXPECT_TRUE(c >= ' ' && c < '\x7F') << field;
    }
}

LabelProperties LogisticLabel(int32_t orientation) {
    LabelProperties p;
    p.encodeString = u"PARCEL 42";
    p.orientation = orientation;
    p.xPosition = 1440;     // one inch: 203 dots
    p.yPosition = 720;      // 102 dots (101.5 rounded)
    p.elementWidth = 28;    // 3.95 dots: 4
    p.barHeight = 1800;     // 253.8 dots: 254
    p.quietZones = -1;      // 10 modules: 40 dots before the bars
    return p;
}

std::string Commands(const LabelProperties& p, CommandLanguage language) {
    const bool gs1 = p.symbology == bcGS1_128;
    const std::u16string data = gs1 ? ParseGs1(p.encodeString).data : p.encodeString;
    return LabelCommands(p, SymbolValues(data, gs1 ? Encoding::Gs1 : Encoding::Full),
                         ModulePattern(data, gs1 ? Encoding::Gs1 : Encoding::Full), language);
}

TEST(LabelCommands, ZplPlacesTheBarsInDotsInEveryTurn) {
    const struct {
        int32_t orientation;
        std::string origin;
        char turn;
    } rows[] = {
        {bcHorizontal, std::to_string(203 + 40) + ",102", 'N'},
        {bcVerticalDown, "203," + std::to_string(102 + 40), 'R'},
        {bcUpsideDown, std::to_string(203 + 40) + ",102", 'I'},
        {bcVertical, "203," + std::to_string(102 + 40), 'B'},
    };
    for (const auto& row : rows) {
        const std::string zpl = Commands(LogisticLabel(row.orientation), CommandLanguage::kZpl);
        EXPECT_EQ(zpl, "^XA\n^FO" + row.origin + "^BY4^BC" + row.turn + ",254,Y,N,N,N^FD>:PARCEL 42^FS\n^XZ\n");
    }
    LabelProperties p = LogisticLabel(bcHorizontal);
    p.visibleCode = 0;
    p.deviceResolution = 300;  // 28 twips: 5.8 dots, 6
    p.quietZones = 0;
    EXPECT_EQ(Commands(p, CommandLanguage::kZpl), "^XA\n^FO300,150^BY6^BCN,375,N,N,N,N^FD>:PARCEL 42^FS\n^XZ\n");
    p.symbology = bcGS1_128;
    p.encodeString = u"(00)095011015300000010";
    EXPECT_NE(Commands(p, CommandLanguage::kZpl).find("^FD>;>800095011015300000010^FS"), std::string::npos)
        << Commands(p, CommandLanguage::kZpl);
    // The caption's side and its absence become the interpretation line's.
    p = LogisticLabel(bcHorizontal);
    p.caption.position = bcCaptionAbove;
    EXPECT_NE(Commands(p, CommandLanguage::kZpl).find("^BCN,254,Y,Y,N,N^FD"), std::string::npos);
    p.caption.position = bcCaptionNone;
    EXPECT_NE(Commands(p, CommandLanguage::kZpl).find("^BCN,254,N,N,N,N^FD"), std::string::npos);
    EXPECT_NE(Commands(p, CommandLanguage::kEpl).find(",254,N,\""), std::string::npos);
}

// EPL2's B command: Bp1,p2,p3,p4,p5,p6,p7,p8,"DATA" with the start point,
// rotation 0-3, a Code 128 type, narrow and wide bar, height, B or N.
TEST(LabelCommands, EplFollowsTheGuidesSyntaxInEveryTurn) {
    const std::regex syntax(R"(\nN\nB\d+,\d+,[0-3],1[ABC],([1-9]|10),([2-9]|[12]\d|30),\d{1,4},[BN],"([^"\\]|\\.)*"\nP1\n)");
    const struct {
        int32_t orientation;
        const char* start;  // EPL turns the field about its start point
    } rows[] = {{bcHorizontal, "B243,102,0,"},  // 134 modules of 4 dots: 536 dots long
                {bcVerticalDown, "B457,142,1,"},
                {bcUpsideDown, "B779,356,2,"},
                {bcVertical, "B203,678,3,"}};
    for (const auto& row : rows) {
        const std::string epl = Commands(LogisticLabel(row.orientation), CommandLanguage::kEpl);
        EXPECT_TRUE(std::regex_match(epl, syntax)) << epl;
        EXPECT_EQ(epl.rfind(std::string("\nN\n") + row.start, 0), 0u) << epl;
        EXPECT_NE(epl.find(",1B,4,4,254,B,\"PARCEL 42\"\n"), std::string::npos) << epl;
    }
    LabelProperties p = LogisticLabel(bcHorizontal);
    p.encodeString = u"Say \"hi\" \\ 2";
    EXPECT_NE(Commands(p, CommandLanguage::kEpl).find(R"("Say \"hi\" \\ 2")"), std::string::npos);
    p.encodeString = u"12345678";
    EXPECT_NE(Commands(p, CommandLanguage::kEpl).find(",1C,4,4,254,B,\"12345678\""), std::string::npos);
}

void ExpectRefused(const LabelProperties& p, CommandLanguage language, int32_t number, const char* reason) {
    try {
        Commands(p, language);
        ADD_FAILURE() << "no error for " << reason;
    } catch (const VbError& error) {
        EXPECT_EQ(error.number(), number);
        EXPECT_NE(error.description().find(reason), std::string::npos) << error.description();
    }
}

TEST(LabelCommands, RefusesWhatALanguageCannotPrintExactly) {
    LabelProperties p = LogisticLabel(bcHorizontal);
    p.encodeString = u"ABC123456def";
    ExpectRefused(p, CommandLanguage::kEpl, 5, "changes code sets");
    p.encodeString = u"Caf\u00e9";
    ExpectRefused(p, CommandLanguage::kEpl, 5, "FNC1, FNC2, FNC3 or FNC4");
    p.encodeString = u"\x01\n";
    ExpectRefused(p, CommandLanguage::kEpl, 5, "CR or LF");
    p.symbology = bcGS1_128;
    p.encodeString = u"(00)095011015300000010";
    ExpectRefused(p, CommandLanguage::kEpl, 5, "FNC1");
    p = LogisticLabel(bcHorizontal);
    p.barWidthReduction = 10;
    ExpectRefused(p, CommandLanguage::kZpl, 380, "BarWidthReduction");
    p = LogisticLabel(bcHorizontal);
    p.elementWidth = 80;  // 11 dots
    ExpectRefused(p, CommandLanguage::kZpl, 380, "11 dots at 203 dpi");
    p = LogisticLabel(bcHorizontal);
    p.xPosition = -1440;
    ExpectRefused(p, CommandLanguage::kZpl, 380, "field origin");
    p = LogisticLabel(5);
    ExpectRefused(p, CommandLanguage::kZpl, 5, "Invalid procedure call");
    p = LogisticLabel(bcHorizontal);
    p.caption.position = bcCaptionAbove;
    ExpectRefused(p, CommandLanguage::kEpl, 5, "below the bars only");
    p = LogisticLabel(bcHorizontal);
    p.barHeight = 32000;  // 4511 dots: ZPL takes it, EPL does too
    EXPECT_NO_THROW(Commands(p, CommandLanguage::kEpl));
}

TEST(LabelCommands, KnowsItsLanguagesByNameInAnyCase) {
    EXPECT_EQ(FindCommandLanguage(u"zpl"), CommandLanguage::kZpl);
    EXPECT_EQ(FindCommandLanguage(u"Epl"), CommandLanguage::kEpl);
    EXPECT_EQ(FindCommandLanguage(u"ZPL2"), std::nullopt);
    EXPECT_EQ(FindCommandLanguage(u""), std::nullopt);
}

}  // namespace
}  // namespace quillant::render
