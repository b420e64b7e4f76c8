#include "encoding/gs1_element_string.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"
#include "tools/grading/code128_text.h"

namespace quillant {
namespace {

std::string Narrow(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) out += c == u'\x1D' ? '|' : static_cast<char>(c);
    return out;
}

// Latin-1 bytes to UTF-16.
std::u16string Widen(std::string_view s) {
    std::u16string out;
    for (char c : s) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

// Data strings with the FNC1 separators written as '|'.
TEST(Gs1ElementString, ValidStringsReadBackWithTheirSeparators) {
    struct Case {
        const char* elements;
        const char* data;
    } const cases[] = {
        {"(01)09501101530003(17)250101(10)ABC123", "010950110153000317250101" "10ABC123"},
        {"[01]09501101530003[10]ABC[21]XYZ", "010950110153000310ABC|21XYZ"},
        {"(01)09501101530003(10)ABC(17)250101", "010950110153000310ABC|17250101"},
        {"[01]09501101530003[10](A)", "010950110153000310(A)"},
        {"(01)09501101530003(3103)001250(11)251200", "010950110153000331030012501125120" "0"},
        {"(01)09501101530003(17)240229(30)5", "0109501101530003172402293" "05"},
        {"(8006)095011015300030102(10)X", "8006095011015300030102|10X"},
        {"(8013)1987654Ad4X4bL5ttr2310c2K", "80131987654Ad4X4bL5ttr2310c2K"},
        {"(00)106141411234567897(4309)12345678901234567890", "00106141411234567897430912345678901234567890"},
        {"(415)5412345678908(8020)1(8007)NO9386011117947", "4155412345678908" "80201|8007NO9386011117947"},
        {"(01)09501101530003(7007)250101250131", "01095011015300037007250101250131"},
        {"(01)09501101530003(7030)999ABC", "01095011015300037030999ABC"},
        {"(00)106141411234567897(4321)1(4324)2512002359", "00106141411234567897" "43211|43242512002359"},
        {"(8030)ab-_Cde==(00)106141411234567897", "8030ab-_Cde==|00106141411234567897"},
        {"(00)106141411234567897(7041)BX", "0010614141123456789770" "41BX"},
        {"(8110)01234566543211511000032712315012345690010", "811001234566543211511000032712315012345690010"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.elements);
        const Gs1Message message = ParseGs1(Widen(test.elements));
        EXPECT_EQ(Narrow(message.data), test.data);
        std::string caption = test.elements;
        for (char& c : caption) c = c == '[' ? '(' : c == ']' ? ')' : c;
        if (std::string(test.elements).find("(A)") != std::string::npos) caption = "(01)09501101530003(10)(A)";
        EXPECT_EQ(Narrow(message.caption), caption);

        const auto reading = grading::ReadModules(ModulePattern(message.data, Encoding::Gs1));
        ASSERT_TRUE(reading.has_value());
        EXPECT_TRUE(reading->gs1);
        EXPECT_EQ(reading->text, message.data);
    }
}

TEST(Gs1ElementString, FaultsNameTheAiAndWhatToFix) {
    struct Case {
        const char* elements;
        const char* description;
    } const cases[] = {
        // element strings
        {"", "GS1 element string: empty"},
        {"01)09501101530003", "GS1 element string: must begin with an AI in parentheses or square brackets"},
        {"(01", "GS1 element string: '(' at position 1 has no ')'"},
        {"(0A)1", "GS1 element string: (0A) is not an AI of 2 to 4 digits"},
        {"(0123456789ABCDEF)1", "GS1 element string: (01234567...) is not an AI of 2 to 4 digits"},
        {"(23)123", "AI (23): unknown Application Identifier"},
        {"(01)", "AI (01): data has 0 characters, 14 are needed"},
        // lengths and character sets
        {"(01)0950110153000", "AI (01): data has 13 characters, 14 are needed"},
        {"(10)123456789012345678901", "AI (10): data has 21 characters, at most 20 are allowed"},
        {"(7007)250101250", "AI (7007): the part from character 7 needs 6 characters"},
        {"(01)0950110153000A", "AI (01): character 'A' is not allowed"},
        {"(10)AB~C", "AI (10): character '~' is not allowed"},
        {"(10)AB\xE9", "AI (10): character U+00E9 is not allowed"},
        {"(8010)12345a", "AI (8010): character 'a' is not allowed"},
        {"(8030)ab=c", "AI (8030): character '=' is not allowed"},
        {"(8030)abcdef==", "AI (8030): '=' may only pad the data to a multiple of 3 characters, with at most two"},
        // linters
        {"(01)09501101530004", "AI (01): check digit 4 should be 3"},
        {"(8013)1987654Ad4X4bL5ttr2310c2A", "AI (8013): check characters 2A should be 2K"},
        {"(8004)AB123", "AI (8004): AB123 does not hold a GS1 Company Prefix at position 1"},
        {"(8011)0123", "AI (8011): 0123 must not begin with 0"},
        {"(8014)100096", "AI (8014): 100096 must contain a character that is not a digit"},
        {"(8001)00001234512310", "AI (8001): 0000 must not be zero"},
        {"(8001)12341234512320", "AI (8001): 2 is not a winding direction (0, 1 or 9)"},
        {"(8003)10614141000415", "AI (8003): 1 is not 0"},
        {"(4321)2", "AI (4321): 2 is not 0 (no) or 1 (yes)"},
        {"(8006)095011015300030302", "AI (8006): piece 3 of 2 is not possible"},
        {"(4330)001234+", "AI (4330): + is not '-'"},
        {"(422)999", "AI (422): 999 is not an ISO 3166 country code"},
        {"(7030)998ABC", "AI (7030): 998 is not an ISO 3166 country code or 999"},
        {"(4307)XX", "AI (4307): XX is not an ISO 3166 two-letter country code"},
        {"(3911)0011234", "AI (3911): 001 is not an ISO 4217 currency code"},
        {"(7252)3", "AI (7252): 3 is not a sex code (0, 1, 2 or 9)"},
        {"(8007)NO9486011117947", "AI (8007): IBAN NO9486011117947 has wrong check digits"},
        {"(8007)XX9386011117947", "AI (8007): XX9386011117947 is not an IBAN"},
        {"(17)251301", "AI (17): 251301 is not a date"},
        {"(17)230229", "AI (17): 230229 is not a date"},
        {"(11)251232", "AI (11): 251232 is not a date"},
        {"(7006)250230", "AI (7006): 250230 is not a date"},
        {"(7250)19000229", "AI (7250): 19000229 is not a date"},
        {"(7003)2501012400", "AI (7003): 2400 is not a time of day"},
        {"(8008)25010124", "AI (8008): 24 is not an hour (00 to 23)"},
        {"(8008)2501012360", "AI (8008): 60 is not a minute (00 to 59)"},
        {"(8008)250101235960", "AI (8008): 60 is not a second (00 to 59)"},
        {"(4309)18000000010000000000", "AI (4309): 1800000001 is not a latitude (0000000000 to 1800000000)"},
        {"(4309)00000000003600000001", "AI (4309): 3600000001 is not a longitude (0000000000 to 3600000000)"},
        {"(7241)50", "AI (7241): 50 is not a media type (01 to 10, 80 to 99)"},
        {"(7258)2/1", "AI (7258): 2/1 is not a position in a sequence such as 1/2"},
        {"(7040)1AB!", "AI (7040): ! is not an importer index"},
        {"(4300)AB%2", "AI (4300): '%' at position 3 is not followed by two hexadecimal digits"},
        {"(8112)2", "AI (8112): 2 is not a coupon position offer (format, funder, offer code, serial number)"},
        {"(8110)01234566543211511000042712313271231", "AI (8110): 01234566543211511000042712313271231 is not a coupon code (company prefix, offer code, save value, "
         "purchase requirement and family, then optional fields 1 to 6 and 9 in order)"},  // fields out of order
        {"(8110)0123456654321151100003271232", "AI (8110): 0123456654321151100003271232 is not a coupon code (company prefix, offer code, save value, "
         "purchase requirement and family, then optional fields 1 to 6 and 9 in order)"},  // no such date
        {"(8110)01234566543211511000", "AI (8110): 01234566543211511000 is not a coupon code (company prefix, offer code, save value, "
         "purchase requirement and family, then optional fields 1 to 6 and 9 in order)"},  // family code cut short
        {"(8110)01234566543211511000032712314280101",
         "AI (8110): 01234566543211511000032712314280101 starts (280101) after it expires (271231)"},
        {"(00)106141411234567897(7041)ZZZZ", "AI (7041): ZZZZ is not a package type code"},
        // across AIs
        {"(01)09501101530003(02)09501101530003", "AI (02): cannot be used together with AI (01)"},
        {"(01)09501101530003(3100)000100(3101)000010", "AI (3100): cannot be used together with AI (3101)"},
        {"(01)09501101530003(10)A(10)B", "AI (10): given twice with different data"},
        {"(01)09501101530003(10)12345678901234567890(21)12345678901234",
         "GS1 element string: 55 characters of AIs, data and separators, at most 48 fit in GS1-128"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.elements);
        try {
            ParseGs1(Widen(test.elements));
            ADD_FAILURE() << "accepted";
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 5);
            EXPECT_EQ(e.description(), test.description);
        }
    }
}

// A string far too long for one symbol is refused for its length before any
// check of pairs of elements (16,000 AIs took seconds), and no description
// echoes more than a few characters of the input or stops at a NUL.
TEST(Gs1ElementString, HugeAndHostileStringsGetShortDescriptions) {
    std::u16string repeated;
    for (int i = 0; i < 16000; ++i) repeated += u"(01)09501101530003";
    const struct {
        std::u16string elements;
        std::string description;
    } cases[] = {
        {repeated, "GS1 element string: 256000 characters of AIs, data and separators, at most 48 fit in GS1-128"},
        {std::u16string(u"[0\0]1", 5), "GS1 element string: [0?] is not an AI of 2 to 4 digits"},
        {u"(" + std::u16string(100000, u'(') + u")", "GS1 element string: (((((((((...) is not an AI of 2 to 4 digits"},
    };
    for (const auto& test : cases) {
        try {
            ParseGs1(test.elements);
            ADD_FAILURE() << "accepted " << test.description;
        } catch (const VbError& e) {
            EXPECT_EQ(e.description(), test.description);
        }
    }
}

// Required partners are a rule of the item: a symbol without them encodes
// and says what it lacks; the label's symbols together must hold them, and
// exclusions and repeats count across the symbols too.
TEST(Gs1Label, PartnersAcrossSymbols) {
    EXPECT_EQ(ParseGs1(u"(10)LOT1").missing, "AI (10) needs AI (01), (02), (03), (8006) or (8026)");
    EXPECT_EQ(ParseGs1(u"(37)10(250)X").missing,
              "AI (37) needs AI (00)+(02) or (00)+(8026); AI (250) needs AI (01)+(21), (03)+(21) or (8006)+(21)");
    EXPECT_EQ(ParseGs1(u"(02)09501101530003(37)10").missing, "AI (37) needs AI (00)+(02) or (00)+(8026)");
    struct Case {
        std::vector<std::u16string> symbols;
        const char* fault;
    } const cases[] = {
        {{u"(02)09501101530003(37)10", u"(10)LOT1", u"(00)106141411234567897"}, ""},
        {{u"(01)09501101530003(21)S1(8040)123456789012345", u"(8041)123456789012345"}, ""},
        {{u"(37)10", u"(10)LOT1"},
         "AI (37) needs AI (00)+(02) or (00)+(8026); AI (10) needs AI (01), (02), (03), (8006) or (8026) on the same label"},
        {{u"(01)09501101530003", u"(02)09501101530003"}, "AI (02): cannot be used together with AI (01)"},
        {{u"(01)09501101530003(10)A", u"(10)B"}, "AI (10): given twice with different data"},
        {{u"(01)09501101530003", u"(01)09501101530004"}, "Symbol 2: AI (01): check digit 4 should be 3"},
        {{}, "GS1 label: no element strings"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(CheckGs1Label(test.symbols), test.fault);
    }
}

// Repeating an AI with the same data is allowed, and the separator rule
// follows the AI, not its position.
TEST(Gs1ElementString, SameAiTwiceWithTheSameData) {
    EXPECT_EQ(Narrow(ParseGs1(u"(01)09501101530003(10)A(10)A").data), "010950110153000310A|10A");
}

}  // namespace
}  // namespace quillant
