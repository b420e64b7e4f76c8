// The printer through IDispatch: the interface test that tells it from other
// drawing objects, its pages, where EndDoc sends them, and its errors.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "QuillantForms_h.h"
#include "win32/enh_meta_file.h"
#include "win32/gdi_object.h"
#include "tests/forms/forms_test_support.h"
#include "forms/file_names.h"
#include "forms/stand_in_objects.h"
#include "adapters/dispatch_drawing_object.h"

namespace quillant::forms::testing {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

TEST(PrinterInterface, OnlyThePrinterAnswersTheVisualBasicPrinterIid) {
    const LateBound printer = NewPrinter();
    const LateBound box = NewPictureBox();
    win32::ComPtr<IUnknown> answer;
    ASSERT_EQ(printer.Object()->QueryInterface(render::win32::IID_VbPrinter, answer.PutVoid()), S_OK);
    ASSERT_TRUE(answer);
    // What it hands out is still the printer, callable by name.
    win32::ComPtr<IDispatch> dispatch;
    ASSERT_EQ(answer->QueryInterface(IID_IDispatch, dispatch.PutVoid()), S_OK);
    EXPECT_EQ(dispatch.Get(), printer.Object());

    EXPECT_EQ(box.Object()->QueryInterface(render::win32::IID_VbPrinter, answer.PutVoid()), E_NOINTERFACE);
    EXPECT_FALSE(answer);
    win32::ComPtr<IPrinter> typed;
    EXPECT_EQ(box.Object()->QueryInterface(IID_IPrinter, typed.PutVoid()), E_NOINTERFACE);
    win32::ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(printer.Object()->QueryInterface(IID_ISupportErrorInfo, support.PutVoid()), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IPrinter), S_OK);
}

TEST(PrinterPage, ALetterPageAt600DpiInTwips) {
    const LateBound printer = NewPrinter();
    EXPECT_EQ(printer.Number(L"Width"), 12240);
    EXPECT_EQ(printer.Number(L"Height"), 15840);
    EXPECT_EQ(printer.Number(L"Page"), 1);
    printer.Put(L"ScaleMode", short{3});
    EXPECT_EQ(printer.Number(L"ScaleWidth"), 5100);
    EXPECT_EQ(printer.Number(L"ScaleHeight"), 6600);
    printer.Put(L"FontSize", 12.0);
    // 12 points at 600 dpi: 100 pixels of em, so a line is about that high.
    EXPECT_GT(printer.CallNumber(L"TextHeight", {L"A"}), 90);
    EXPECT_LT(printer.CallNumber(L"TextHeight", {L"A"}), 160);
}

TEST(PrinterDocument, TwoPagesGoToPngFilesAtThePrinterResolution) {
    RemoveFile(L"forms_printer.png");
    RemoveFile(L"forms_printer-2.png");
    RemoveFile(L"forms_printer-3.png");
    const LateBound printer = NewPrinter();
    printer.Put(L"OutputFile", L"forms_printer.png");
    printer.Call(L"Line", {36, 1440.0, 1440.0, 2880.0, 2880.0, 0});
    printer.Put(L"FontName", L"OCR A Extended");
    printer.Put(L"FontSize", 24.0);
    printer.Put(L"CurrentX", 1440.0);
    printer.Put(L"CurrentY", 3000.0);
    printer.Call(L"Print", {L"PAGE 1"});
    printer.Call(L"Line", {22, 1440.0, 3600.0, 1452.0, 3612.0, 0x808080});
    printer.Call(L"NewPage");
    EXPECT_EQ(printer.Number(L"Page"), 2);
    EXPECT_EQ(printer.Number(L"CurrentY"), 0);
    printer.Call(L"Line", {20, 0.0, 0.0, 12.0, 12.0, 0});  // 12 twips: 5 printer pixels
    // Pages are written with as few bits a pixel as they need: black and
    // white, then grey from the band of the smoothed text on (page 1),
    // colour: each must read back as drawn.
    printer.Call(L"NewPage");
    printer.Call(L"Line", {22, 0.0, 0.0, 12.0, 12.0, 255});
    printer.Call(L"EndDoc");
    EXPECT_EQ(printer.Number(L"Page"), 1);
    EXPECT_EQ(ReadImage(L"forms_printer-3.png").Pixel(0, 0), RGB(255, 0, 0));
    RemoveFile(L"forms_printer-3.png");

    const DecodedImage first = ReadImage(L"forms_printer.png");
    ASSERT_EQ(first.width, 5100u);
    ASSERT_EQ(first.height, 6600u);
    // 1440 twips is 600 pixels; both corners inclusive.
    EXPECT_EQ(first.Pixel(599, 900), kWhite);
    EXPECT_EQ(first.Pixel(600, 900), kBlack);
    EXPECT_EQ(first.Pixel(1200, 900), kBlack);
    EXPECT_EQ(first.Pixel(1201, 900), kWhite);
    EXPECT_EQ(first.Pixel(900, 1201), kWhite);
    EXPECT_EQ(first.Pixel(600, 1502), RGB(128, 128, 128));  // the grey box's left edge
    const DecodedImage second = ReadImage(L"forms_printer-2.png");
    EXPECT_EQ(second.Pixel(0, 0), kBlack);
    EXPECT_EQ(second.Pixel(5, 2), kBlack);
    EXPECT_EQ(second.Pixel(2, 2), kWhite);
    EXPECT_EQ(second.Pixel(6, 2), kWhite);
}

TEST(PrinterDocument, TwoPagesGoToEmfFilesOfLetterSize) {
    for (const wchar_t* file : {L"forms_printer.emf", L"forms_printer-2.emf", L"forms_printer-3.emf"}) RemoveFile(file);
    const LateBound printer = NewPrinter();
    printer.Put(L"OutputFile", L"forms_printer.emf");
    printer.Call(L"Line", {36, 1440.0, 1440.0, 2880.0, 2880.0, 0});
    printer.Call(L"NewPage");
    printer.Call(L"Print", {L"page 2"});
    printer.Call(L"EndDoc");
    for (const wchar_t* file : {L"forms_printer.emf", L"forms_printer-2.emf"}) {
        const win32::EnhMetaFile page(GetEnhMetaFileW(file));
        ASSERT_TRUE(page) << "missing page file";
        ENHMETAHEADER header = {};
        ASSERT_TRUE(GetEnhMetaFileHeader(page.Get(), sizeof(header), &header));
        EXPECT_EQ(header.rclFrame.right, 21590);  // 8.5 inches in 1/100 mm
        EXPECT_EQ(header.rclFrame.bottom, 27940);
        EXPECT_GT(header.nRecords, 3u);
    }
    EXPECT_FALSE(FileExists(L"forms_printer-3.emf"));
}

// A document whose second page cannot be written (its name is a folder)
// leaves no page and no partial file behind, and stays: once the folder is
// gone, EndDoc writes all three pages. (It used to leave page 1, drop page 3
// and forget the document.)
TEST(PrinterDocument, EndDocWritesEveryPageOrNoneAndCanBeCalledAgain) {
    const wchar_t* const pages[] = {L"forms_whole.emf", L"forms_whole-2.emf", L"forms_whole-3.emf"};
    const wchar_t* const partials[] = {L"forms_whole.partial.emf", L"forms_whole-2.partial.emf",
                                       L"forms_whole-3.partial.emf"};
    for (const wchar_t* file : pages) RemoveFile(file);
    ASSERT_TRUE(CreateDirectoryW(pages[1], nullptr));
    const LateBound printer = NewPrinter();
    printer.Put(L"OutputFile", pages[0]);
    for (int page = 0; page < 3; ++page) {
        if (page > 0) printer.Call(L"NewPage");
        printer.Call(L"Line", {36, 0.0, 0.0, 100.0, 100.0, 0});
    }
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Call(L"EndDoc"); }), 75);
    EXPECT_FALSE(FileExists(pages[0]));
    EXPECT_FALSE(FileExists(pages[2]));
    for (const wchar_t* file : partials) EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(printer.Number(L"Page"), 4);

    ASSERT_TRUE(RemoveDirectoryW(pages[1]));
    printer.Call(L"EndDoc");
    for (const wchar_t* file : pages) EXPECT_TRUE(FileExists(file));
    for (const wchar_t* file : partials) EXPECT_FALSE(FileExists(file));
    for (const wchar_t* file : pages) RemoveFile(file);
}

TEST(PrinterDocument, NewPageOnAFreshDocumentLeavesABlankFirstPage) {
    RemoveFile(L"forms_blank.emf");
    RemoveFile(L"forms_blank-2.emf");
    RemoveFile(L"forms_blank-3.emf");
    const LateBound printer = NewPrinter();
    printer.Put(L"OutputFile", L"forms_blank.emf");
    printer.Call(L"NewPage");
    printer.Call(L"Print", {L"second"});
    printer.Call(L"NewPage");  // nothing drawn after it: no third page
    printer.Call(L"EndDoc");
    EXPECT_TRUE(FileExists(L"forms_blank.emf")) << "NewPage ends the page it is on, drawn or not";
    EXPECT_TRUE(FileExists(L"forms_blank-2.emf"));
    EXPECT_FALSE(FileExists(L"forms_blank-3.emf"));
}

TEST(PrinterDocument, KillDocAndAnUntouchedDocumentWriteNothing) {
    RemoveFile(L"forms_killed.png");
    const LateBound printer = NewPrinter();
    printer.Put(L"OutputFile", L"forms_killed.png");
    printer.Call(L"EndDoc");
    EXPECT_FALSE(FileExists(L"forms_killed.png"));
    printer.Call(L"Line", {36, 0.0, 0.0, 100.0, 100.0, 0});
    printer.Call(L"KillDoc");
    printer.Call(L"EndDoc");
    EXPECT_FALSE(FileExists(L"forms_killed.png"));
    // Measuring text starts no page either.
    printer.CallNumber(L"TextWidth", {L"ABC"});
    printer.Call(L"EndDoc");
    EXPECT_FALSE(FileExists(L"forms_killed.png"));
}

// Each page keeps the size it was drawn at, also when the next one differs.
TEST(PrinterDocument, ThePageSizeMayChangeBetweenPagesOnly) {
    RemoveFile(L"forms_small.png");
    RemoveFile(L"forms_small-2.png");
    const LateBound printer = NewPrinter();
    printer.Put(L"OutputFile", L"forms_small.png");
    printer.Put(L"Width", 1440.0);
    printer.Put(L"Height", 720.0);
    printer.Call(L"Line", {36, 0.0, 0.0, 10.0, 10.0, 0});
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"Width", 2880.0); }), 396);
    printer.Call(L"NewPage");
    printer.Put(L"Height", 1440.0);
    printer.Call(L"Line", {36, 0.0, 0.0, 10.0, 10.0, 0});
    printer.Call(L"EndDoc");
    const DecodedImage first = ReadImage(L"forms_small.png");
    EXPECT_EQ(first.width, 600u);
    EXPECT_EQ(first.height, 300u);
    const DecodedImage second = ReadImage(L"forms_small-2.png");
    EXPECT_EQ(second.width, 600u);
    EXPECT_EQ(second.height, 600u);
}

// A label printer's resolution: the page is drawn in its dots, and ScaleX,
// ScaleY and TwipsPerPixel tell a host how large a dot is.
TEST(PrinterDocument, PrintQualitySetsTheResolutionBetweenPages) {
    RemoveFile(L"forms_label.png");
    const LateBound printer = NewPrinter();
    EXPECT_EQ(printer.Number(L"PrintQuality"), 600);
    printer.Put(L"PrintQuality", short{203});
    printer.Put(L"Width", 4.0 * 1440);
    printer.Put(L"Height", 6.0 * 1440);
    EXPECT_DOUBLE_EQ(printer.Number(L"TwipsPerPixelX"), 1440.0 / 203);
    EXPECT_DOUBLE_EQ(printer.CallNumber(L"ScaleX", {1.0, short{3}}), 1440.0 / 203);
    EXPECT_DOUBLE_EQ(printer.CallNumber(L"ScaleY", {1440.0, short{1}, short{3}}), 203);
    EXPECT_DOUBLE_EQ(printer.CallNumber(L"ScaleX", {2540.0}), 1440);  // from himetric by default
    printer.Put(L"OutputFile", L"forms_label.png");
    const double dot = 1440.0 / 203;
    printer.Call(L"Line", {36, 10 * dot, 10 * dot, 12 * dot, 11 * dot, 0});
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"PrintQuality", short{300}); }), 396);
    printer.Call(L"EndDoc");
    const DecodedImage page = ReadImage(L"forms_label.png");
    EXPECT_EQ(page.width, 812u);
    EXPECT_EQ(page.height, 1218u);
    EXPECT_EQ(page.Pixel(10, 10), kBlack);
    EXPECT_EQ(page.Pixel(12, 11), kBlack);
    EXPECT_EQ(page.Pixel(13, 11), kWhite);
    EXPECT_EQ(page.Pixel(12, 12), kWhite);

    for (short quality : {short{71}, short{2401}, short{0}, short{-5}}) {
        EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"PrintQuality", quality); }), 380) << quality;
    }
    EXPECT_EQ(printer.Number(L"PrintQuality"), 203);
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.CallNumber(L"ScaleX", {1.0, short{4}}); }), 5);
}

TEST(PrinterErrors, OutputFaultsRaisePrinterAndFileErrors) {
    const LateBound printer = NewPrinter();
    for (const wchar_t* name : {L"document.txt", L"page<1>.png", L"a|b.png", L"what?.png", L"*.emf", L"say\".png",
                                L"tab\t.png", L"page.png:stream.png", L"1:page.png"}) {
        EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"OutputFile", name); }), 5) << NameForMessage(name);
    }
    EXPECT_EQ(printer.Text(L"OutputFile"), L"");

    // Windows would read the name only up to the NUL and write a .bat.
    RemoveFile(L"forms_evil.bat");
    printer.Put(L"OutputFile", L"forms_kept.png");
    try {
        printer.Put(L"OutputFile", std::wstring(L"forms_evil.bat\0.png", 19));
        ADD_FAILURE() << "a name with a NUL was taken";
    } catch (const VbError& error) {
        EXPECT_EQ(error.number(), 5);
        EXPECT_NE(error.description().find("'forms_evil.bat?.png' holds a NUL"), std::string::npos)
            << error.description();
    }
    EXPECT_EQ(printer.Text(L"OutputFile"), L"forms_kept.png");
    printer.Call(L"Line", {36, 0.0, 0.0, 100.0, 100.0, 0});
    printer.Call(L"EndDoc");
    EXPECT_FALSE(FileExists(L"forms_evil.bat"));
    EXPECT_TRUE(FileExists(L"forms_kept.png"));
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Call(L"Point", {0.0, 0.0}); }), 438);

    printer.Put(L"OutputFile", L"no\\such\\folder\\page.emf");
    printer.Call(L"Line", {36, 0.0, 0.0, 100.0, 100.0, 0});
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Call(L"EndDoc"); }), 75);

    wchar_t name[MAX_PATH];
    DWORD length = MAX_PATH;
    if (GetDefaultPrinterW(name, &length)) GTEST_SKIP() << "this machine has a default printer";
    printer.Put(L"OutputFile", L"");
    printer.Call(L"Line", {36, 0.0, 0.0, 100.0, 100.0, 0});
    try {
        printer.Call(L"EndDoc");
        FAIL() << "EndDoc without a printer succeeded";
    } catch (const VbError& error) {
        EXPECT_EQ(error.number(), 482);
        EXPECT_NE(error.description().find("no printer is installed"), std::string::npos) << error.description();
    }
}

// Without a printer the settings still shape the page a file gets; what a
// driver makes of them is tested against real queues (tests/printing).
TEST(PrinterSettings, WithoutAPrinterPaperAndOrientationShapeThePage) {
    wchar_t name[MAX_PATH];
    DWORD length = MAX_PATH;
    if (GetDefaultPrinterW(name, &length)) GTEST_SKIP() << "this machine has a default printer";
    const LateBound printer = NewPrinter();
    EXPECT_EQ(printer.Text(L"DeviceName"), L"");
    try {
        printer.Put(L"DeviceName", L"Nowhere 9");
        FAIL() << "an unknown printer was taken";
    } catch (const VbError& error) {
        EXPECT_EQ(error.number(), 484);
        EXPECT_NE(error.description().find("'Nowhere 9'"), std::string::npos) << error.description();
    }
    EXPECT_EQ(printer.Text(L"DeviceName"), L"");

    printer.Put(L"ScaleMode", short{3});
    printer.Put(L"PaperSize", short{9});  // A4: 210 x 297 mm at 600 dpi
    EXPECT_EQ(printer.Number(L"ScaleWidth"), 4961);
    EXPECT_EQ(printer.Number(L"ScaleHeight"), 7016);
    printer.Put(L"Orientation", short{2});
    EXPECT_EQ(printer.Number(L"ScaleWidth"), 7016);
    EXPECT_EQ(printer.Number(L"ScaleHeight"), 4961);
    printer.Put(L"Width", 5760.0);
    EXPECT_EQ(printer.Number(L"PaperSize"), 256);

    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"PaperSize", short{70}); }), 483);
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"Orientation", short{3}); }), 380);
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"Copies", short{0}); }), 380);
    EXPECT_EQ(printer.Number(L"Orientation"), 2);
    EXPECT_EQ(printer.Number(L"Copies"), 1);

    printer.Call(L"Line", {36, 0.0, 0.0, 10.0, 10.0, 0});
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"Orientation", short{1}); }), 396);
    printer.Call(L"KillDoc");

    const LateBound printers = NewPrinters();
    EXPECT_EQ(printers.Number(L"Count"), 0);
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printers.Call(L"Item", {0}); }), 9);
}

// A real driver: tests/printing runs this in a prefix whose CUPS has a
// 203-dpi label queue and names it in QUILLANT_LABEL_PRINTER.
TEST(PrinterDevice, ARealPrintersDcAnswersTheDriversDots) {
    const char* queue = std::getenv("QUILLANT_LABEL_PRINTER");
    if (!queue || !*queue) GTEST_SKIP() << "QUILLANT_LABEL_PRINTER names no label printer";
    const std::wstring name(queue, queue + std::strlen(queue));
    const LateBound printer = NewPrinter();
    printer.Put(L"DeviceName", name.c_str());
    EXPECT_EQ(printer.Text(L"DeviceName"), name);
    // Its own 203 dots, not the 300 Wine's driver starts every printer at.
    EXPECT_NEAR(printer.Number(L"TwipsPerPixelX"), 1440.0 / 203, 1e-9);
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"DeviceName", L"Nowhere 9"); }), 484);
    EXPECT_EQ(printer.Text(L"DeviceName"), name);

    printer.Put(L"PrintQuality", short{150});  // not one of the driver's: it keeps its own
    printer.Put(L"PrintQuality", short{203});
    printer.Put(L"Width", 5760.0);
    printer.Put(L"Height", 8640.0);
    EXPECT_NEAR(printer.CallNumber(L"ScaleX", {1.0, short{3}, short{1}}), 1440.0 / 203, 1e-9);
    const HDC dc = printer.Hdc();
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 203);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 812);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 1218);
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"Orientation", short{2}); }), 396);
    printer.Call(L"KillDoc");
    printer.Put(L"Orientation", short{2});
    EXPECT_EQ(GetDeviceCaps(printer.Hdc(), PHYSICALWIDTH), 1218);
    printer.Call(L"KillDoc");
    // A paper the driver lacks is refused, and the page stays as it was.
    const double width = printer.Number(L"Width");
    EXPECT_EQ(LateBound::ErrorNumberOf([&] { printer.Put(L"Height", 60.0 * 1440); }), 483);
    EXPECT_EQ(printer.Number(L"Width"), width);
    EXPECT_EQ(GetDeviceCaps(printer.Hdc(), PHYSICALWIDTH), 1218);
    printer.Call(L"KillDoc");
    // Going to a file, the printer is a file device: any size and resolution.
    printer.Put(L"OutputFile", L"forms_file_device.png");
    printer.Put(L"Height", 60.0 * 1440);
    printer.Put(L"PrintQuality", short{150});
    EXPECT_EQ(printer.Number(L"TwipsPerPixelY"), 9.6);
    printer.Call(L"KillDoc");

    const LateBound printers = NewPrinters();
    bool listed = false;
    for (int i = 0; i < printers.Number(L"Count"); ++i) {
        const win32::Variant item = printers.Call(L"Item", {i});
        listed = listed || LateBound(win32::ComPtr<IDispatch>(V_DISPATCH(item.Get()))).Text(L"DeviceName") == name;
    }
    EXPECT_TRUE(listed);
}

// A driver with more dots down than across: every length down is in its dots
// down (QUILLANT_TALL_PRINTER, the same label printer at 203 x 406 dpi).
TEST(PrinterDevice, DotsDownAreTheDriversOwn) {
    const char* queue = std::getenv("QUILLANT_TALL_PRINTER");
    if (!queue || !*queue) GTEST_SKIP() << "QUILLANT_TALL_PRINTER names no printer";
    const LateBound printer = NewPrinter();
    printer.Put(L"DeviceName", std::wstring(queue, queue + std::strlen(queue)).c_str());
    EXPECT_NEAR(printer.Number(L"TwipsPerPixelX"), 1440.0 / 203, 1e-9);
    EXPECT_NEAR(printer.Number(L"TwipsPerPixelY"), 1440.0 / 406, 1e-9);
    EXPECT_NEAR(printer.CallNumber(L"ScaleY", {1440.0, short{1}, short{3}}), 406, 1e-9);
    EXPECT_NEAR(printer.Number(L"Height") / printer.Number(L"Width"), 1.5, 0.01);  // 4 x 6 inches
    const HDC dc = printer.Hdc();
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 406);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 2436);
    printer.Call(L"KillDoc");
}

// The way the component prints a turned caption on a printer: the text goes
// onto a scratch picture box, whose Image is painted onto the page.
TEST(PrinterDocument, APictureBoxImagePaintsOntoThePage) {
    RemoveFile(L"forms_painted.png");
    const LateBound scratch = NewPictureBox();
    scratch.Put(L"ScaleMode", short{3});
    scratch.Call(L"Line", {36, 0.0, 0.0, 319.0, 239.0, 0});
    scratch.Call(L"Line", {38, 80.0, 60.0, 239.0, 179.0, int{kWhite}});
    const LateBound printer = NewPrinter();
    printer.Put(L"OutputFile", L"forms_painted.png");
    printer.Put(L"Width", 7200.0);
    printer.Put(L"Height", 7200.0);
    win32::Variant image = scratch.Get(L"Image");
    printer.Call(L"PaintPicture", {V_DISPATCH(image.Get()), 1440.0, 1440.0, 2880.0, 2160.0});
    printer.Call(L"EndDoc");
    const DecodedImage page = ReadImage(L"forms_painted.png");
    EXPECT_EQ(page.Pixel(610, 610), kBlack);  // the picture's dark frame
    EXPECT_EQ(page.Pixel(1200, 1050), kWhite);  // its white middle
    EXPECT_EQ(page.Pixel(1790, 1490), kBlack);
    EXPECT_EQ(page.Pixel(1810, 1510), kWhite);  // outside the 1200 x 900 pixel rectangle
}

// The component's turned caption on a printer, step by step: the text is
// printed with a -100 pixel font turned by 90 degrees on a scratch picture
// box, whose Image is stretched into the caption's rectangle on the page.
TEST(PrinterDocument, ATurnedCaptionComesThroughTheScratchSurface) {
    RemoveFile(L"forms_turned_caption.png");
    const LateBound printer = NewPrinter();
    printer.Put(L"OutputFile", L"forms_turned_caption.png");
    printer.Put(L"Width", 4320.0);
    printer.Put(L"Height", 2880.0);
    printer.Put(L"FontName", L"OCR A Extended");
    const wchar_t* text = L"AB";
    const double x = 1350, y = 1180, length = 600, thickness = 150;

    const LateBound scratch = NewPictureBox();
    scratch.Put(L"FontName", L"OCR A Extended");
    scratch.Put(L"FontSize", static_cast<double>(7.2f));
    scratch.Put(L"Width", 1500.0);
    scratch.Put(L"Height", static_cast<double>(static_cast<float>(scratch.CallNumber(L"TextWidth", {text}) * 10.1)));
    SetGraphicsMode(printer.Hdc(), GM_ADVANCED);
    LOGFONTA lf = {};
    lf.lfHeight = -100;
    lf.lfEscapement = 900;
    lf.lfOrientation = 900;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_SWISS;
    const std::wstring face = printer.Text(L"FontName");
    WideCharToMultiByte(CP_ACP, 0, face.c_str(), -1, lf.lfFaceName, LF_FACESIZE, nullptr, nullptr);
    const win32::Font turned(CreateFontIndirectA(&lf));
    ASSERT_TRUE(turned);
    {
        const win32::Selection selected(scratch.Hdc(), turned.Get());
        printer.Put(L"CurrentX", x);
        printer.Put(L"CurrentY", y);
        scratch.Put(L"CurrentY", static_cast<double>(static_cast<float>(scratch.Number(L"Height") - 10)));
        scratch.Put(L"CurrentX", 0.0);
        scratch.Call(L"Print", {text});
        win32::Variant image = scratch.Get(L"Image");
        printer.Call(L"PaintPicture", {V_DISPATCH(image.Get()), x, y - length, thickness * 1.75, length});
    }
    scratch.Call(L"SavePicture", {L"forms_turned_scratch.png"});
    printer.Call(L"EndDoc");

    const DecodedImage page = ReadImage(L"forms_turned_caption.png");
    Ink ink;
    for (UINT py = 0; py < page.height; ++py) {
        for (UINT px = 0; px < page.width; ++px) {
            if (page.Pixel(px, py) == kWhite) continue;
            ink.left = std::min(ink.left, static_cast<int>(px));
            ink.right = std::max(ink.right, static_cast<int>(px));
            ink.top = std::min(ink.top, static_cast<int>(py));
            ink.bottom = std::max(ink.bottom, static_cast<int>(py));
        }
    }
    // The rectangle: 1350 .. 1612.5 twips across, 580 .. 1180 along, in 600 dpi pixels.
    ASSERT_FALSE(ink.Empty());
    EXPECT_GE(ink.left, 562);
    EXPECT_LE(ink.right, 672);
    EXPECT_GE(ink.top, 242);
    EXPECT_LE(ink.bottom, 492);
    EXPECT_GT(ink.Height(), ink.Width()) << "the caption does not run along the bars";
}


// Text is inked as wide as TextWidth measures it, at label-printer and
// office resolutions: a caption centred by its measure is centred in ink.
// The H's on both ends cancel the side bearings out of the comparison.
TEST(PrinterDocument, TextIsInkedAsWideAsItIsMeasured) {
    const std::wstring inner = L"PARCEL 0042-1187 Quillant";
    for (const short dpi : {short{203}, short{300}, short{600}, short{1200}}) {
        SCOPED_TRACE(dpi);
        RemoveFile(L"forms_text_width.png");
        const LateBound printer = NewPrinter();
        printer.Put(L"OutputFile", L"forms_text_width.png");
        printer.Put(L"PrintQuality", dpi);
        printer.Put(L"Width", 8640.0);
        printer.Put(L"Height", 1440.0);
        printer.Put(L"FontName", L"OCR A Extended");
        printer.Put(L"FontSize", 15.8);
        const double twipsPerPixel = printer.Number(L"TwipsPerPixelX");
        const std::wstring texts[] = {L"HH", L"H" + inner + L"H"};
        double measured[2] = {};
        for (int i = 0; i < 2; ++i) {
            measured[i] = printer.CallNumber(L"TextWidth", {texts[i]}) / twipsPerPixel;
            printer.Put(L"CurrentX", 100.0);
            printer.Put(L"CurrentY", 100.0 + 600 * i);
            printer.Call(L"Print", {texts[i]});
        }
        printer.Call(L"EndDoc");
        const DecodedImage page = ReadImage(L"forms_text_width.png");
        const UINT half = page.height / 2;
        int inked[2] = {};
        for (int i = 0; i < 2; ++i) {
            Ink ink;
            for (UINT y = i * half; y < (i + 1) * half; ++y) {
                for (UINT x = 0; x < page.width; ++x) {
                    if (GetGValue(page.Pixel(x, y)) >= 128) continue;
                    ink.left = std::min(ink.left, static_cast<int>(x));
                    ink.right = std::max(ink.right, static_cast<int>(x));
                }
            }
            inked[i] = ink.Width();
        }
        EXPECT_NEAR(inked[1] - inked[0], measured[1] - measured[0], 1.0);
    }
}

}  // namespace
}  // namespace quillant::forms::testing
