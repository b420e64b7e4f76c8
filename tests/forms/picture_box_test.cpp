// The picture box through IDispatch: the unit rule, the three Line kinds, the
// pen, text in the object's font and in a font a caller selected, pictures,
// files, and the errors a caller gets.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "tests/forms/forms_test_support.h"
#include "win32/gdi_object.h"
#include "forms/glyph_inks.h"
#include "forms/log_fonts.h"
#include "forms/picture_surface.h"
#include "forms/raster_image.h"
#include "forms/scale_units.h"
#include "forms/surface_drawing_object.h"
#include "adapters/gdi_font_api.h"

namespace quillant::forms::testing {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

LateBound PixelBox() {
    LateBound box = NewPictureBox();
    box.Put(L"ScaleMode", short{3});
    return box;
}

TEST(ScaleRule, CoordinatesLandOnTheNearestPixel) {
    struct Case {
        int16_t mode;
        double dpi;
        double units;
        int32_t pixel;
    };
    const Case cases[] = {
        {kTwips, 96, 0, 0},      {kTwips, 96, 7, 0},       {kTwips, 96, 7.5, 1},    {kTwips, 96, 15, 1},
        {kTwips, 96, 20, 1},     {kTwips, 96, 40, 3},      {kTwips, 96, 1440, 96},  {kTwips, 96, -8, -1},
        {kTwips, 600, 2.4, 1},   {kTwips, 600, 6, 3},      {kTwips, 600, 1440, 600}, {kPixels, 96, 3, 3},
        {kPixels, 96, 2.5, 3},   {kPixels, 96, 2.49, 2},   {kPixels, 600, 171, 171}, {2, 96, 72, 96},
        {5, 600, 8.5, 5100},     {6, 96, 25.4, 96},        {7, 600, 2.54, 600},
    };
    for (const Case& c : cases) {
        const auto scale = UnitScale::For(c.mode, c.dpi);
        ASSERT_TRUE(scale) << c.mode;
        EXPECT_EQ(scale->PixelOf(c.units), c.pixel) << "mode " << c.mode << " dpi " << c.dpi << " units " << c.units;
    }
    EXPECT_FALSE(UnitScale::For(0, 96));
    EXPECT_FALSE(UnitScale::For(4, 96));
    EXPECT_EQ(UnitScale::For(kTwips, 96)->PixelOf(1e300), 1 << 27);
}

// Modules drawn as the component draws them on a picture box, at 3 pixels
// a module: each keeps exactly its 3 columns, the last one also its far edge.
TEST(PictureBoxLine, ModuleRowComesOutThreePixelsPerModule) {
    const LateBound box = PixelBox();
    const int left = 30, top = 10, bottom = 70;
    for (size_t i = 0; i < kModulesOfAB.size(); ++i) {
        const double x1 = left + 3.0 * static_cast<double>(i);
        if (kModulesOfAB[i] == '1') {
            box.Call(L"Line", {36, x1, double{top}, x1 + 3, double{bottom}, 0});
        } else {
            box.Call(L"Line", {38, x1, double{top}, x1 + 3, double{bottom}, int{kWhite}});
        }
        ASSERT_EQ(box.Number(L"CurrentX"), x1 + 3);
        ASSERT_EQ(box.Number(L"CurrentY"), bottom);
    }
    const HDC dc = box.Hdc();
    const int modules = static_cast<int>(kModulesOfAB.size());
    for (int x = left - 3; x <= left + 3 * modules + 3; ++x) {
        const bool inRow = x >= left && x <= left + 3 * modules;
        const int module = inRow ? std::min((x - left) / 3, modules - 1) : -1;
        const bool dark = inRow && kModulesOfAB[static_cast<size_t>(module)] == '1';
        EXPECT_EQ(GetPixel(dc, x, 40), dark ? kBlack : kWhite) << "column " << x;
    }
    for (const int y : {top - 1, top, bottom, bottom + 1}) {
        const bool inside = y >= top && y <= bottom;
        EXPECT_EQ(GetPixel(dc, left, y), inside ? kBlack : kWhite) << "row " << y;
    }
    EXPECT_EQ(box.Call(L"Point", {left + 0.0, 40.0}).Get()->lVal, static_cast<LONG>(kBlack));
}

TEST(PictureBoxLine, TheLaterOfTwoNeighbouringBoxesPaintsTheSharedEdge) {
    const LateBound box = NewPictureBox();  // twips: 15 to a pixel
    box.Call(L"Line", {38, 0.0, 0.0, 300.0, 300.0, int{kBlack}});
    box.Call(L"Line", {38, 300.0, 0.0, 600.0, 300.0, int{kRed}});
    box.Call(L"Line", {38, 0.0, 300.0, 300.0, 600.0, int{kBlue}});
    const HDC dc = box.Hdc();
    EXPECT_EQ(GetPixel(dc, 19, 10), kBlack);
    EXPECT_EQ(GetPixel(dc, 20, 10), kRed);
    EXPECT_EQ(GetPixel(dc, 40, 10), kRed);
    EXPECT_EQ(GetPixel(dc, 41, 10), kWhite);
    EXPECT_EQ(GetPixel(dc, 10, 20), kBlue);
}

TEST(PictureBoxLine, EachFlagWordDrawsItsKindAndLeavesThePenAtTheSecondCorner) {
    struct Case {
        int flags;
        int colour;
        COLORREF inside;  // at the box's centre
        COLORREF edge;    // on its top edge
    };
    const Case cases[] = {
        {36, 0, kRed, kRed},                      // filled box in ForeColor
        {36, int{kGreen}, kRed, kRed},            // the colour argument is ignored without bit 2
        {38, int{kGreen}, kGreen, kGreen},        // filled box in the given colour
        {20, 0, kWhite, kRed},                    // outline in ForeColor
        {22, int{kBlue}, kWhite, kBlue},          // outline in the given colour
        {4, 0, kWhite, kRed},                     // a box without fill is an outline
    };
    for (const Case& c : cases) {
        const LateBound box = PixelBox();
        box.Put(L"ForeColor", int{kRed});
        box.Call(L"Line", {c.flags, 40.0, 30.0, 10.0, 10.0, c.colour});  // corners in either order
        const HDC dc = box.Hdc();
        EXPECT_EQ(GetPixel(dc, 25, 20), c.inside) << "flags " << c.flags;
        EXPECT_EQ(GetPixel(dc, 25, 10), c.edge) << "flags " << c.flags;
        EXPECT_EQ(GetPixel(dc, 40, 30), c.edge) << "flags " << c.flags;
        EXPECT_EQ(GetPixel(dc, 41, 30), kWhite) << "flags " << c.flags;
        EXPECT_EQ(box.Number(L"CurrentX"), 10.0);
        EXPECT_EQ(box.Number(L"CurrentY"), 10.0);
    }
}

TEST(PictureBoxLine, WithoutTheBoxBitALineRunsFromCornerToCorner) {
    struct Case {
        int flags;
        int colour;
        COLORREF ink;
    };
    for (const Case& c : {Case{0, int{kGreen}, kRed}, Case{2, int{kGreen}, kGreen}}) {
        const LateBound box = PixelBox();
        box.Put(L"ForeColor", int{kRed});
        box.Call(L"Line", {c.flags, 10.0, 50.0, 60.0, 50.0, c.colour});
        const HDC dc = box.Hdc();
        EXPECT_EQ(GetPixel(dc, 10, 50), c.ink);
        EXPECT_EQ(GetPixel(dc, 35, 50), c.ink);
        EXPECT_EQ(GetPixel(dc, 35, 51), kWhite);
        EXPECT_EQ(box.Number(L"CurrentX"), 60.0);
    }
}

// Callers pass numbers as whatever VARIANT type they hold.
TEST(PictureBoxLine, ArgumentsMayComeAsAnyNumericType) {
    const LateBound box = PixelBox();
    box.Call(L"Line", {short{36}, short{2}, 3, 12.0, int{13}, short{0}});
    EXPECT_EQ(GetPixel(box.Hdc(), 12, 13), kBlack);
    EXPECT_EQ(GetPixel(box.Hdc(), 13, 13), kWhite);
    box.Put(L"CurrentX", 7);
    box.Put(L"FontSize", short{9});
    EXPECT_EQ(box.Number(L"CurrentX"), 7);
    EXPECT_EQ(box.Number(L"FontSize"), 9);
    EXPECT_EQ(box.Number(L"hdc"), box.Number(L"hDC"));
}

TEST(PictureBoxLine, DrawWidthThickensOutlines) {
    const LateBound box = PixelBox();
    box.Put(L"DrawWidth", short{3});
    box.Call(L"Line", {20, 10.0, 10.0, 40.0, 40.0, 0});
    const HDC dc = box.Hdc();
    for (const int x : {10, 11, 12}) EXPECT_EQ(GetPixel(dc, x, 25), kBlack) << x;
    EXPECT_EQ(GetPixel(dc, 13, 25), kWhite);
}

// The caption's members are answered from their DISPIDs in the plain shape:
// each call, made that way on one box and through the type library on
// another, must give the same answer, error and state.
TEST(PictureBoxLine, CaptionMembersAnswerAsTheTypeLibraryDoes) {
    struct Call {
        const wchar_t* member;
        WORD flags;
        std::vector<Arg> args;  // first to last
    };
    const WORD method = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    const Call calls[] = {
        {L"FontName", DISPATCH_PROPERTYPUT, {L"Arial"}},
        {L"FontName", DISPATCH_PROPERTYPUT, {L""}},
        {L"FontSize", DISPATCH_PROPERTYPUT, {13.5}},
        {L"FontSize", DISPATCH_PROPERTYPUT, {0.0}},
        {L"FontBold", DISPATCH_PROPERTYPUT, {true}},
        {L"FontItalic", DISPATCH_PROPERTYPUT, {true}},
        {L"FontItalic", DISPATCH_PROPERTYPUT, {false}},
        {L"TextWidth", method, {L"EMPTY"}},
        {L"TextWidth", method, {L"two\r\nlines"}},
        {L"TextHeight", method, {L"two\r\nlines"}},
        {L"ScaleX", method, {1440.0, short{1}, short{3}}},
        {L"ScaleY", method, {25.0, 3, short{6}}},
        {L"ScaleY", method, {25.0, short{1}}},
        {L"ScaleX", method, {1.0, short{4}, short{3}}},
        {L"hDC", DISPATCH_PROPERTYGET, {}},
        {L"Print", method, {L"QUILLANT"}},
    };
    const LateBound fast = PixelBox(), slow = PixelBox();
    win32::ComPtr<ITypeInfo> info;
    ASSERT_HRESULT_SUCCEEDED(slow.Object()->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put()));
    // A dual object's IDispatch is its picture box interface, the one the
    // type information describes.
    IDispatch* const slowBox = slow.Object();
    for (const Call& call : calls) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(call.member)};
        ASSERT_HRESULT_SUCCEEDED(fast.Object()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
        std::vector<VARIANT> reversed;
        for (auto arg = call.args.rbegin(); arg != call.args.rend(); ++arg) reversed.push_back(arg->Get());
        DISPID named = DISPID_PROPERTYPUT;
        const bool put = call.flags == DISPATCH_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
        win32::Variant fastResult, slowResult;
        win32::ExcepInfo fastError, slowError;
        UINT argError = 0;
        const HRESULT fastHr = fast.Object()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, call.flags, &params,
                                                     put ? nullptr : fastResult.Put(), &fastError, &argError);
        const HRESULT slowHr = info->Invoke(slowBox, id, call.flags, &params, put ? nullptr : slowResult.Put(),
                                            &slowError, &argError);
        SCOPED_TRACE(call.member);
        ASSERT_EQ(fastHr, slowHr);
        EXPECT_EQ(fastError.scode, slowError.scode);
        // What a failed call leaves in the result is nobody's to read.
        if (FAILED(fastHr) || call.member == std::wstring(L"hDC")) continue;  // each box its own DC
        EXPECT_EQ(V_VT(fastResult.Get()), V_VT(slowResult.Get()));
        EXPECT_EQ(VarCmp(fastResult.Get(), slowResult.Get(), LOCALE_USER_DEFAULT, 0), static_cast<HRESULT>(VARCMP_EQ));
    }
    EXPECT_EQ(fast.Text(L"FontName"), slow.Text(L"FontName"));
    for (const wchar_t* member : {L"FontSize", L"FontBold", L"FontItalic", L"CurrentX", L"CurrentY"}) {
        EXPECT_EQ(fast.Number(member), slow.Number(member)) << member;
    }
    const Ink fastInk = InkOn(fast.Hdc(), 320, 240, kWhite), slowInk = InkOn(slow.Hdc(), 320, 240, kWhite);
    EXPECT_FALSE(fastInk.Empty());
    EXPECT_EQ(std::tie(fastInk.left, fastInk.top, fastInk.right, fastInk.bottom),
              std::tie(slowInk.left, slowInk.top, slowInk.right, slowInk.bottom));
}

TEST(PictureBoxErrors, BadArgumentsAndValuesRaiseVisualBasicErrors) {
    struct Case {
        const char* what;
        void (*call)(const LateBound&);
        int32_t number;
    };
    const Case cases[] = {
        {"Line flag 1 (relative corners)", [](const LateBound& b) { b.Call(L"Line", {37, 0.0, 0.0, 1.0, 1.0, 0}); }, 5},
        {"Line flag 64", [](const LateBound& b) { b.Call(L"Line", {64, 0.0, 0.0, 1.0, 1.0, 0}); }, 5},
        {"Line colour not a colour", [](const LateBound& b) { b.Call(L"Line", {38, 0.0, 0.0, 1.0, 1.0, 0x12000000}); }, 5},
        {"ScaleMode 0", [](const LateBound& b) { b.Put(L"ScaleMode", short{0}); }, 380},
        {"ScaleMode 4", [](const LateBound& b) { b.Put(L"ScaleMode", short{4}); }, 380},
        {"DrawWidth 0", [](const LateBound& b) { b.Put(L"DrawWidth", short{0}); }, 380},
        {"FontSize 0", [](const LateBound& b) { b.Put(L"FontSize", 0.0); }, 380},
        {"FontName empty", [](const LateBound& b) { b.Put(L"FontName", L""); }, 380},
        {"Width 0", [](const LateBound& b) { b.Put(L"Width", 0.0); }, 380},
        {"Height 2^30 twips", [](const LateBound& b) { b.Put(L"Height", 1073741824.0); }, 380},
        {"ForeColor not a colour", [](const LateBound& b) { b.Put(L"ForeColor", 0x12000000); }, 380},
        {"PaintPicture of a picture box", [](const LateBound& b) { b.Call(L"PaintPicture", {b.Object(), 0.0, 0.0}); }, 481},
        {"SavePicture .gif", [](const LateBound& b) { b.Call(L"SavePicture", {L"forms_picture.gif"}); }, 5},
        {"SavePicture .exe NUL .bmp",
         [](const LateBound& b) { b.Call(L"SavePicture", {std::wstring(L"forms_pic.exe\0.bmp", 18)}); }, 5},
        {"SavePicture with '>'", [](const LateBound& b) { b.Call(L"SavePicture", {L"forms>pic.bmp"}); }, 5},
        {"SavePicture into a missing folder", [](const LateBound& b) { b.Call(L"SavePicture", {L"no\\such\\dir\\x.png"}); }, 75},
        {"a member it lacks", [](const LateBound& b) { b.Call(L"EndDoc"); }, 438},
        {"a huge picture", [](const LateBound& b) { b.Put(L"Width", 1.0e6), b.Put(L"Height", 1.0e6); }, 480},
    };
    RemoveFile(L"forms_pic.exe");
    for (const Case& c : cases) {
        const LateBound box = NewPictureBox();
        EXPECT_EQ(LateBound::ErrorNumberOf([&] { c.call(box); }), c.number) << c.what;
    }
    EXPECT_FALSE(FileExists(L"forms_pic.exe"));
}

TEST(PictureBoxErrors, TheDescriptionTravelsAsRichErrorInformation) {
    const LateBound box = NewPictureBox();
    try {
        box.Put(L"ScaleMode", short{4});
        FAIL() << "ScaleMode 4 was accepted";
    } catch (const VbError& error) {
        EXPECT_EQ(error.number(), 380);
        EXPECT_NE(error.description().find("ScaleMode"), std::string::npos) << error.description();
    }
}

TEST(PictureBoxProperties, NewBoxIsWhiteTwipsAndBlackInk) {
    const LateBound box = NewPictureBox();
    EXPECT_EQ(box.Number(L"Width"), 4800);
    EXPECT_EQ(box.Number(L"Height"), 3600);
    EXPECT_EQ(box.Number(L"ScaleMode"), 1);
    EXPECT_EQ(box.Number(L"ScaleWidth"), 4800);
    EXPECT_EQ(box.Number(L"BackColor"), 0xFFFFFF);
    EXPECT_EQ(box.Number(L"ForeColor"), 0);
    EXPECT_EQ(box.Number(L"DrawWidth"), 1);
    EXPECT_EQ(box.Number(L"CurrentX"), 0);
    EXPECT_EQ(box.CallNumber(L"Point", {4785.0, 3585.0}), 0xFFFFFF);
    EXPECT_EQ(box.CallNumber(L"Point", {4800.0, 0.0}), -1);
    EXPECT_EQ(box.CallNumber(L"Point", {-15.0, 0.0}), -1);
    // A screen pixel at 96 dpi is 15 twips, whatever the scale asks.
    EXPECT_EQ(box.Number(L"TwipsPerPixelY"), 15);
    EXPECT_EQ(box.CallNumber(L"ScaleX", {1.0, short{3}}), 15);
    EXPECT_EQ(box.CallNumber(L"ScaleX", {1.0, 2.5, short{1}}), 20);  // 2.5 rounds to 2, points, as CInt rounds
    box.Put(L"ScaleMode", short{3});
    EXPECT_EQ(box.CallNumber(L"ScaleY", {1.0, short{3}}), 1);
}

TEST(PictureBoxProperties, ChangingScaleModeKeepsThePenInPlace) {
    const LateBound box = NewPictureBox();
    box.Put(L"CurrentX", 150.0);
    box.Put(L"CurrentY", 300.0);
    box.Put(L"ScaleMode", short{3});
    EXPECT_EQ(box.Number(L"CurrentX"), 10);
    EXPECT_EQ(box.Number(L"CurrentY"), 20);
    EXPECT_EQ(box.Number(L"ScaleWidth"), 320);
    EXPECT_EQ(box.Number(L"Width"), 4800);  // always twips
}

TEST(PictureBoxProperties, ResizingKeepsTheDcAndThePixelsThatFit) {
    const LateBound box = PixelBox();
    const HDC before = box.Hdc();
    box.Call(L"Line", {36, 5.0, 5.0, 10.0, 10.0, 0});
    box.Put(L"Width", 9000.0);
    box.Put(L"Height", 150.0);
    EXPECT_EQ(box.Hdc(), before);
    EXPECT_EQ(box.Number(L"ScaleWidth"), 600);
    EXPECT_EQ(box.Number(L"ScaleHeight"), 10);
    EXPECT_EQ(GetPixel(before, 7, 7), kBlack);
    EXPECT_EQ(GetPixel(before, 500, 5), kWhite);
}

TEST(PictureBoxProperties, BackColorRepaintsAndClsClears) {
    const LateBound box = PixelBox();
    box.Call(L"Line", {36, 5.0, 5.0, 10.0, 10.0, 0});
    box.Put(L"BackColor", int{kBlue});
    EXPECT_EQ(GetPixel(box.Hdc(), 7, 7), kBlue);
    box.Call(L"Line", {36, 5.0, 5.0, 10.0, 10.0, 0});
    box.Call(L"Cls");
    EXPECT_EQ(GetPixel(box.Hdc(), 7, 7), kBlue);
    EXPECT_EQ(box.Number(L"CurrentX"), 0);
    EXPECT_EQ(box.Number(L"CurrentY"), 0);
}

TEST(PictureBoxText, PrintWritesInForeColorAtThePenAndMovesToTheNextLine) {
    const LateBound box = PixelBox();
    box.Put(L"FontName", L"OCR A Extended");
    box.Put(L"FontSize", 12.0);
    box.Put(L"ForeColor", int{kRed});
    const double width = box.CallNumber(L"TextWidth", {L"HELLO"});
    const double height = box.CallNumber(L"TextHeight", {L"HELLO"});
    ASSERT_GT(width, 20);
    ASSERT_GT(height, 8);
    EXPECT_EQ(box.CallNumber(L"TextHeight", {L"A\r\nB"}), 2 * height);
    box.Put(L"CurrentX", 20.0);
    box.Put(L"CurrentY", 30.0);
    box.Call(L"Print", {L"HELLO"});
    EXPECT_EQ(box.Number(L"CurrentX"), 0);
    EXPECT_EQ(box.Number(L"CurrentY"), 30 + height);
    const Ink ink = InkOn(box.Hdc(), 320, 240, kWhite);
    ASSERT_FALSE(ink.Empty());
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 20 + width);
    EXPECT_GE(ink.top, 30);
    EXPECT_LE(ink.bottom, 30 + height);
    EXPECT_GT(ink.Width(), width / 2);
    int red = 0;
    for (int y = ink.top; y <= ink.bottom; ++y) {
        for (int x = ink.left; x <= ink.right; ++x) red += GetPixel(box.Hdc(), x, y) == kRed;
    }
    EXPECT_GT(red, 20) << "the text is not in ForeColor";
}

// Width and height come from the same realised font at every size FontSize
// accepts, down to sizes below half a pixel.
TEST(PictureBoxText, WidthAndHeightAgreeAtEverySize) {
    const LateBound box = PixelBox();
    box.Put(L"FontName", L"OCR A Extended");
    for (double points : {0.01, 0.3, 0.4, 1.0, 12.0, 200.0}) {
        SCOPED_TRACE(points);
        box.Put(L"FontSize", points);
        const double width = box.CallNumber(L"TextWidth", {L"MMMMMMMMMM"});
        const double height = box.CallNumber(L"TextHeight", {L"MMMMMMMMMM"});
        ASSERT_GT(height, 0);
        // OCR-A's cells are about 0.6 of the line high; hinting at one pixel
        // may round either way.
        EXPECT_GT(width / height, 3.0);
        EXPECT_LT(width / height, 12.0);
    }
}

// TextWidth is the line measured in the box's font at 16 times its size and
// scaled back, whichever way the box comes to it: every Latin-1 character,
// another character, and a DC that spaces its characters out.
TEST(PictureBoxText, TextWidthIsTheLineMeasuredAtSixteenTimesTheSize) {
    std::wstring latin1;
    for (wchar_t c = 0x20; c <= 0xFF; ++c) latin1 += c;
    const LateBound box = PixelBox();
    const auto measured = [&](const std::wstring& line) {
        LOGFONTW font = {};
        GetObjectW(GetCurrentObject(box.Hdc(), OBJ_FONT), sizeof font, &font);
        font.lfHeight *= 16;
        font.lfWidth *= 16;
        const win32::Font large(CreateFontIndirectW(&font));
        const win32::Selection selected(box.Hdc(), large.Get());
        SIZE size = {};
        GetTextExtentPoint32W(box.Hdc(), line.data(), static_cast<int>(line.size()), &size);
        return size.cx / 16.0;
    };
    for (const wchar_t* face : {L"OCR A Extended", L"DejaVu Sans"}) {
        box.Put(L"FontName", face);
        for (double points : {7.2, 12.0, 31.5}) {
            box.Put(L"FontSize", points);
            box.Put(L"FontItalic", points > 20);
            for (const std::wstring& line : {latin1, std::wstring(L"WAVE \x0100\x20AC 128"), std::wstring(L"Ab\xE9")}) {
                SCOPED_TRACE(::testing::Message() << face << " " << points << " pt, " << line.size() << " characters");
                EXPECT_EQ(box.CallNumber(L"TextWidth", {line.c_str()}), measured(line));
            }
        }
    }
    SetTextCharacterExtra(box.Hdc(), 3);
    EXPECT_EQ(box.CallNumber(L"TextWidth", {L"Ab\xE9"}), measured(L"Ab\xE9"));
}

TEST(PictureBoxText, TheCaptionFaceRendersInOcrA) {
    const LateBound box = NewPictureBox();
    box.Put(L"FontName", L"OCR A Extended");
    const std::wstring face = box.Text(L"FontName");
    EXPECT_TRUE(face == L"OCR A Extended" || face == L"OCRA") << "got a stand-in of another look";
    wchar_t selected[LF_FACESIZE] = {};
    GetTextFaceW(box.Hdc(), LF_FACESIZE, selected);
    EXPECT_EQ(face, selected);
}

// As the component prints a vertical caption: a font turned by 90 degrees
// selected into hDC with GDI, then Print. The text starts at the pen and
// runs upward; the tops of its letters face smaller x.
Ink PrintTurned(const LateBound& box, const wchar_t* text) {
    const HDC dc = box.Hdc();
    SetGraphicsMode(dc, GM_ADVANCED);
    LOGFONTW lf = {};
    lf.lfHeight = -24;
    lf.lfEscapement = 900;
    lf.lfOrientation = 900;
    lf.lfWeight = FW_NORMAL;
    lstrcpynW(lf.lfFaceName, box.Text(L"FontName").c_str(), LF_FACESIZE);
    const win32::Font turned(CreateFontIndirectW(&lf));
    if (!turned) throw std::runtime_error("no turned font");
    {
        const win32::Selection selected(dc, turned.Get());
        box.Put(L"CurrentX", 140.0);
        box.Put(L"CurrentY", 220.0);
        box.Call(L"Print", {text});
    }
    return InkOn(dc, 320, 240, kWhite);
}

TEST(PictureBoxText, PrintUsesAFontACallerSelectedIntoHdc) {
    const LateBound box = PixelBox();
    box.Put(L"FontName", L"OCR A Extended");
    const Ink ink = PrintTurned(box, L"QUILLANT 128");
    box.Call(L"SavePicture", {L"forms_rotated_text.png"});
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.Height(), 4 * ink.Width()) << "the text does not run vertically";
    EXPECT_LE(ink.bottom, 220);
    EXPECT_GT(ink.bottom, 200) << "the text does not start at the pen";
    EXPECT_GE(ink.left, 140) << "the letters' height does not extend towards larger x";
    EXPECT_LT(ink.left, 150);
    // The first letter alone sits at the bottom end: the text runs upward.
    const LateBound first = PixelBox();
    first.Put(L"FontName", L"OCR A Extended");
    const Ink q = PrintTurned(first, L"Q");
    EXPECT_EQ(q.bottom, ink.bottom);
    EXPECT_GT(q.top, ink.top + ink.Height() / 2);
    // The object's own font is back in hDC: it prints upright again.
    box.Call(L"Cls");
    box.Call(L"Print", {L"QUILLANT 128"});
    const Ink upright = InkOn(box.Hdc(), 320, 240, kWhite);
    EXPECT_GT(upright.Width(), 4 * upright.Height());
}

TEST(PictureBoxPicture, ImagePaintsOntoAnotherObjectAtAnySize) {
    const LateBound source = PixelBox();
    source.Call(L"Line", {38, 0.0, 0.0, 9.0, 9.0, int{kRed}});
    win32::Variant image = source.Get(L"Image");
    ASSERT_EQ(V_VT(image.Get()), VT_DISPATCH);

    const LateBound natural = PixelBox();
    natural.Call(L"PaintPicture", {V_DISPATCH(image.Get()), 50.0, 50.0});
    EXPECT_EQ(GetPixel(natural.Hdc(), 59, 59), kRed);
    EXPECT_EQ(GetPixel(natural.Hdc(), 60, 60), kWhite);

    const LateBound doubled = NewPictureBox();  // twips: the picture is 4800 x 3600
    doubled.Call(L"PaintPicture", {V_DISPATCH(image.Get()), 150.0, 150.0, 9600.0, 7200.0});
    EXPECT_EQ(GetPixel(doubled.Hdc(), 10 + 18, 10 + 18), kRed);
    EXPECT_EQ(GetPixel(doubled.Hdc(), 10 + 21, 10 + 21), kWhite);

    // Later drawing on the source leaves the picture as it was.
    source.Call(L"Cls");
    const LateBound again = PixelBox();
    again.Call(L"PaintPicture", {V_DISPATCH(image.Get()), 0.0, 0.0});
    EXPECT_EQ(GetPixel(again.Hdc(), 5, 5), kRed);
}

TEST(PictureBoxPicture, SavePictureWritesPngOrBmpByExtension) {
    const LateBound box = PixelBox();
    box.Call(L"Line", {38, 10.0, 20.0, 19.0, 29.0, int{kGreen}});
    for (const wchar_t* path : {L"forms_saved.png", L"forms_saved.BMP"}) {
        RemoveFile(path);
        box.Call(L"SavePicture", {path});
        const DecodedImage image = ReadImage(path);
        EXPECT_EQ(image.width, 320u);
        EXPECT_EQ(image.height, 240u);
        EXPECT_EQ(image.Pixel(15, 25), kGreen);
        EXPECT_EQ(image.Pixel(9, 25), kWhite);
    }
    std::ifstream png("forms_saved.png", std::ios::binary);
    char signature[8] = {};
    png.read(signature, 8);
    EXPECT_EQ(std::memcmp(signature, "\x89PNG\r\n\x1a\n", 8), 0);
}

// An image's canvas fills boxes in its own pixels: each must come out as
// GDI's FillRect draws it, edges and clipping included, also on memory
// larger than the image that an earlier image left.
TEST(ImageCanvas, BoxesFilledWithoutGdiAreTheBoxesFillRectDraws) {
    const RECT boxes[] = {{3, 4, 9, 20},    {-5, -5, 4, 6},   {35, 25, 60, 50}, {-10, 10, 100, 12},
                          {10, -3, 11, 40}, {50, 50, 60, 60}, {7, 7, 7, 9},     {0, 0, 40, 30}};
    const COLORREF inks[] = {kBlack, RGB(12, 200, 77)};
    RasterImage::Memory larger = RasterImage(64, 48, kWhite).TakeMemory();
    for (const COLORREF ink : inks) {
        for (const RECT& box : boxes) {
            RasterImage byGdi(40, 30, kWhite);
            const win32::Brush brush(CreateSolidBrush(ink));
            FillRect(byGdi.Dc(), &box, brush.Get());
            RasterImage direct(40, 30, kWhite, std::move(larger));
            direct.FillBox(box, ink);
            for (int y = 0; y < 30; ++y) {
                ASSERT_EQ(std::memcmp(byGdi.Bits() + y * byGdi.Stride(), direct.Bits() + y * direct.Stride(), 40 * 3), 0)
                    << "box " << box.left << "," << box.top << "," << box.right << "," << box.bottom << " row " << y;
            }
            larger = direct.TakeMemory();
        }
    }
}

// An image's canvas inks its captions from glyphs GDI drew once: every line
// must come out as ExtTextOutW draws it, in each quarter turn, glyphs that
// overlap each other and ink already there included. What it cannot draw
// that way it leaves to GDI untouched: a line cut by the picture's edge, or
// by the rows open to ink.
TEST(ImageCanvas, TextInkedWithoutGdiIsTheTextExtTextOutDraws) {
    std::wstring latin1;
    for (wchar_t c = 0x21; c <= 0xFF; ++c) latin1 += c;
    struct Face {
        const wchar_t* name;
        int height;
        int weight;
        bool italic;
    };
    const Face faces[] = {{L"OCR A Extended", -31, FW_NORMAL, false},
                          {L"DejaVu Sans", -12, FW_BOLD, true},
                          {L"DejaVu Serif", -64, FW_NORMAL, true}};
    // Where each turn's lines start: upright, upward from the bottom,
    // upside down leftward. The renderer turns with the advanced graphics
    // mode, which upside down also goes without.
    struct Turn {
        int escapement;
        int mode;
        int x, y;
    };
    const Turn turns[] = {{0, GM_COMPATIBLE, 5, 40},
                          {900, GM_ADVANCED, 300, 690},
                          {1800, GM_COMPATIBLE, 880, 300}};
    constexpr int kWidth = 900, kHeight = 700;
    const auto areaOf = [](RasterImage& image, int top, int bottom) {
        return InkArea{image.WrittenBits(), static_cast<size_t>(image.Stride()), image.Width(), std::max(top, 0),
                       std::min(bottom, image.Height())};
    };
    for (const Face& face : faces) {
        for (const Turn& turn : turns) {
            LOGFONTW asked = {};
            asked.lfHeight = face.height;
            asked.lfWeight = face.weight;
            asked.lfItalic = face.italic;
            asked.lfEscapement = asked.lfOrientation = turn.escapement;
            lstrcpynW(asked.lfFaceName, face.name, LF_FACESIZE);
            const win32::Font font(CreateFontIndirectW(&asked));
            ASSERT_TRUE(font);
            LOGFONTW selectedFont = {};
            GetObjectW(font.Get(), sizeof selectedFont, &selectedFont);
            for (size_t from = 0; from < latin1.size(); from += 20) {
                const std::wstring line = latin1.substr(from, 20);
                SCOPED_TRACE(::testing::Message() << face.name << " turned " << turn.escapement << " from U+" << std::hex
                                                  << int{line[0]});
                // Advances tighter than the font's, so that neighbours overlap.
                const std::vector<INT> advances(line.size(), -face.height / 2);
                RasterImage byGdi(kWidth, kHeight, kWhite), direct(kWidth, kHeight, kWhite);
                for (RasterImage* image : {&byGdi, &direct}) {
                    image->FillBox(RECT{0, 48, 60, 60}, kBlack);
                    image->FillBox(RECT{60, 40, 200, 120}, RGB(128, 128, 128));
                    image->FillBox(RECT{250, 300, 420, 420}, RGB(200, 200, 200));
                    SetGraphicsMode(image->Dc(), turn.mode);
                    SelectObject(image->Dc(), font.Get());
                    SetTextColor(image->Dc(), kBlack);
                    SetBkMode(image->Dc(), TRANSPARENT);
                    SetTextAlign(image->Dc(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
                }
                ExtTextOutW(byGdi.Dc(), turn.x, turn.y, 0, nullptr, line.data(), static_cast<UINT>(line.size()),
                            advances.data());
                GlyphInks inks;
                // Rows asked for but one short at either end, then as asked.
                const auto shortOne = [&](int top, int bottom) { return areaOf(direct, top + 1, bottom); };
                const auto shortAtFoot = [&](int top, int bottom) { return areaOf(direct, top, bottom - 1); };
                EXPECT_FALSE(inks.Ink(direct.Dc(), selectedFont, kBlack, turn.x, turn.y, line, advances, shortOne));
                EXPECT_FALSE(inks.Ink(direct.Dc(), selectedFont, kBlack, turn.x, turn.y, line, advances, shortAtFoot));
                const auto open = [&](int top, int bottom) { return areaOf(direct, top, bottom); };
                ASSERT_TRUE(inks.Ink(direct.Dc(), selectedFont, kBlack, turn.x, turn.y, line, advances, open));
                for (int row = 0; row < kHeight; ++row) {
                    ASSERT_EQ(std::memcmp(byGdi.Bits() + row * byGdi.Stride(), direct.Bits() + row * direct.Stride(),
                                          kWidth * 3), 0) << "row " << row;
                }
                // The same line starting past the picture's edge, its first
                // glyph cut.
                const int past = -face.height / 4;
                const int outX = turn.escapement == 0 ? -past : turn.escapement == 1800 ? kWidth + past : turn.x;
                const int outY = turn.escapement == 900 ? kHeight + past : turn.y;
                EXPECT_FALSE(inks.Ink(direct.Dc(), selectedFont, kBlack, outX, outY, line, advances, open));
                SelectObject(byGdi.Dc(), GetStockObject(SYSTEM_FONT));
                SelectObject(direct.Dc(), GetStockObject(SYSTEM_FONT));
            }
        }
    }
    // An underline runs under the whole line, a colour blends otherwise,
    // and a character beyond Latin-1 may be shaped with its neighbours.
    RasterImage image(200, 60, kWhite);
    LOGFONTW underlined = {};
    underlined.lfHeight = -20;
    underlined.lfUnderline = TRUE;
    lstrcpynW(underlined.lfFaceName, L"DejaVu Sans", LF_FACESIZE);
    const win32::Font font(CreateFontIndirectW(&underlined));
    const win32::Selection selected(image.Dc(), font.Get());
    const auto area = [&](int, int) { return InkArea{image.WrittenBits(), static_cast<size_t>(image.Stride()), 200, 0, 60}; };
    GlyphInks inks;
    EXPECT_FALSE(inks.Ink(image.Dc(), underlined, kBlack, 5, 5, L"Ab", {12, 12}, area));
    underlined.lfUnderline = FALSE;
    const win32::Font plain(CreateFontIndirectW(&underlined));
    const win32::Selection plainSelected(image.Dc(), plain.Get());
    EXPECT_FALSE(inks.Ink(image.Dc(), underlined, kRed, 5, 5, L"Ab", {12, 12}, area));
    LOGFONTW downward = underlined;
    downward.lfEscapement = downward.lfOrientation = 2700;
    EXPECT_FALSE(inks.Ink(image.Dc(), downward, kBlack, 5, 5, L"Ab", {12, 12}, area));
    EXPECT_FALSE(inks.Ink(image.Dc(), underlined, kBlack, 5, 5, L"A\x0101", {12, 12}, area));
    SetTextCharacterExtra(image.Dc(), 2);
    EXPECT_FALSE(inks.Ink(image.Dc(), underlined, kBlack, 5, 5, L"Ab", {12, 12}, area));
    SetTextCharacterExtra(image.Dc(), 0);
    EXPECT_TRUE(InkOn(image.Dc(), 200, 60, kWhite).Empty()) << "a line left to GDI was inked";
    EXPECT_TRUE(inks.Ink(image.Dc(), underlined, kBlack, 5, 5, L"Ab", {12, 12}, area));
}

// A face name ends at its terminator: a font made from an ANSI description
// comes back with other bytes after it, and its kept glyphs and measures
// must still be found.
TEST(ImageCanvas, FontsDifferOnlyInWhatTheirDescriptionsSay) {
    LOGFONTW a = {};
    a.lfHeight = -31;
    lstrcpynW(a.lfFaceName, L"OCR A Extended", LF_FACESIZE);
    LOGFONTW b = a;
    b.lfFaceName[20] = L'x';
    b.lfFaceName[LF_FACESIZE - 1] = L'y';
    EXPECT_TRUE(SameLogFont(a, b));
    b.lfEscapement = 900;
    EXPECT_FALSE(SameLogFont(a, b));
    b = a;
    lstrcpynW(b.lfFaceName, L"OCR A", LF_FACESIZE);
    EXPECT_FALSE(SameLogFont(a, b));
}

// An image's canvas keeps which font its DC holds rather than ask GDI, and
// learns of a font the renderer selects through its 32-bit hDC: the one
// measured until it is put back. The DC's handle has its top bit set, as
// GDI's handles come to after their places are used again and again; the
// hDC's sign-extended handle is still the canvas's DC.
TEST(ImageCanvas, AFontSelectedThroughTheHdcIsMeasuredUntilItIsPutBack) {
    std::unique_ptr<PictureSurface> surface;
    for (int made = 0; made < 2000 && !surface; ++made) {
        auto next = std::make_unique<PictureSurface>(300, 100, 100);
        if (reinterpret_cast<uintptr_t>(next->FontDc()) & 0x80000000u) surface = std::move(next);
    }
    ASSERT_TRUE(surface) << "GDI made no DC whose handle has its top bit set";
    SurfaceDrawingObject object(*surface, 300);
    render::win32::GdiFontApi gdi;
    SurfaceFontApi fonts(gdi, *surface, 300);
    object.SetFontName(u"OCR A Extended");
    object.SetFontSize(8);
    const double own = object.TextWidth(u"QUILLANT");
    LOGFONTW large = {};
    large.lfHeight = -200;
    lstrcpynW(large.lfFaceName, L"OCR A Extended", LF_FACESIZE);
    const win32::Font font(CreateFontIndirectW(&large));
    const auto handle = reinterpret_cast<render::GdiHandle>(font.Get());
    const render::GdiHandle previous = fonts.SelectObject(object.Hdc(), handle);
    EXPECT_GT(object.TextWidth(u"QUILLANT"), 3 * own);
    fonts.SelectObject(object.Hdc(), previous);
    EXPECT_DOUBLE_EQ(object.TextWidth(u"QUILLANT"), own);
}

// An image's canvas writes a row that repeats the row above only when it is
// read or drawn on: boxes that overlap, text printed between them (near
// both edges too) and the colour of any point must come out as on a canvas
// that writes every row.
TEST(ImageCanvas, RowsWrittenOnDemandShowWhatEveryRowWrittenShows) {
    RasterImage::Memory memory = RasterImage(200, 420, kWhite).TakeMemory();
    PictureSurface lazy(300, 180, 400, std::move(memory));
    PictureSurface eager(300, 180, 400);
    auto draw = [](PictureSurface& surface) {
        surface.SetScaleMode(kPixels);
        surface.Line(line_flags::kBox | line_flags::kFill, 10, 0, 14, 399, 0);
        surface.Line(line_flags::kBox | line_flags::kFill | line_flags::kColourGiven, 20, 5, 40, 260, kRed);
        surface.Line(line_flags::kBox | line_flags::kFill, 30, 250, 90, 252, 0);
        surface.SetCurrentX(50);
        surface.SetCurrentY(130);
        surface.Print(L"Ag\u00C5y");
        surface.Line(line_flags::kBox | line_flags::kFill, 100, 20, 103, 370, 0);
        surface.SetCurrentX(120);
        surface.SetCurrentY(-6);
        surface.Print(L"Top");
        surface.SetCurrentX(120);
        surface.SetCurrentY(372);
        surface.Print(L"Low\r\nline");
        // Left to GDI: a colour and an underline.
        surface.SetForeColor(kRed);
        surface.SetFontUnderline(true);
        surface.SetCurrentX(60);
        surface.SetCurrentY(300);
        surface.Print(L"Mid");
        surface.SetFontUnderline(false);
        surface.SetForeColor(0);
        surface.Line(line_flags::kBox | line_flags::kFill, 150, 10, 160, 399, 0);
    };
    draw(lazy);
    draw(eager);
    ASSERT_TRUE(std::count(lazy.Pixels().RowsAsAbove().begin(), lazy.Pixels().RowsAsAbove().end(), 1) > 0)
        << "the canvas wrote every row";
    for (int y = 0; y < 400; y += 3) {
        for (int x = 0; x < 180; x += 7) ASSERT_EQ(lazy.Point(x, y), eager.Point(x, y)) << x << "," << y;
    }
    for (int y = 0; y < 400; ++y) {
        ASSERT_EQ(std::memcmp(lazy.Pixels().Bits() + y * lazy.Pixels().Stride(),
                              eager.Pixels().Bits() + y * eager.Pixels().Stride(), 180 * 3), 0)
            << "row " << y;
    }
}

}  // namespace
}  // namespace quillant::forms::testing
