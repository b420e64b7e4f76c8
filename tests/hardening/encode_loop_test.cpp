// Ten thousand Encodes of each class in a loop, every path through it taken in turn
// (bars, captions straight and turned, refused texts, overflow, no object,
// an object that raises), with the process measured before and after: heap
// bytes, private memory, kernel handles and GDI objects must not grow.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "win32/bstr.h"
#include "tests/hardening/faulty_target.h"
#include "tests/hardening/hardening_support.h"
#include "tests/support/process_usage.h"
#include "win32/kernel_handle.h"

namespace quillant::testing {
namespace {

using win32::Bstr;
using win32::ComPtr;

std::vector<BYTE> FileBytes(const wchar_t* path) {
    std::vector<BYTE> bytes;
    const win32::KernelHandle file(
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return bytes;
    bytes.resize(GetFileSize(file.Get(), nullptr));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) bytes.clear();
    return bytes;
}

HRESULT RaiseInLine(VARIANT*, EXCEPINFO* excep) {
    excep->scode = static_cast<HRESULT>(0x800A01E2);
    excep->bstrDescription = SysAllocString(L"The pen is dry");
    excep->bstrSource = SysAllocString(L"FaultyTarget");
    return DISP_E_EXCEPTION;
}

enum class Target { kPictureBox, kNone, kFaulty };

struct Pass {
    const wchar_t* text;
    int orientation;
    bool caption;
    LONG x;
    Target target;
    const wchar_t* expected;
    const wchar_t* label = nullptr;  // Quillant2's answer where it differs
};

const Pass kPasses[] = {
    {L"EMPTY", 1, true, 300, Target::kPictureBox, L"Sucess"},
    {L"INV-2024/00815 Lot 7731904 qty:12 (Bx#9)", 1, true, 300, Target::kPictureBox, L"Sucess"},
    {L"12345678", 2, true, 1800, Target::kPictureBox, L"Sucess"},
    {L"AB", 2, false, 300, Target::kPictureBox, L"Sucess"},
    {L"Caf\u00E9", 1, true, 300, Target::kPictureBox, L"Character U+00E9 at position 4 cannot be encoded in Code 128",
     L"Sucess"},
    // Quillant2 places in 32 bits: the same x is only off the picture.
    {L"EMPTY", 1, true, 32000, Target::kPictureBox, L"Overflow", L"Sucess"},
    {L"EMPTY", 1, true, 300, Target::kNone, L"Object variable or With block variable not set"},
    {L"EMPTY", 1, true, 300, Target::kFaulty, L"The pen is dry"},
};

class EncodeLoop : public ::testing::Test {
protected:
    void SetUp() override {
        barcode_ = NewBarcode();
        label_ = NewLabelBarcode();
        box_ = NewPictureBox();
        ASSERT_TRUE(barcode_ && label_ && box_);
        ASSERT_HRESULT_SUCCEEDED(box_->put_Width(9000));
        ASSERT_HRESULT_SUCCEEDED(box_->put_Height(6000));
        LONG y = 300;
        ASSERT_HRESULT_SUCCEEDED(barcode_->put_YPosition(&y));
        ASSERT_HRESULT_SUCCEEDED(label_->put_YPosition(&y));
        for (const Pass& pass : kPasses) texts_.emplace_back(std::wstring_view(pass.text));
    }

    // One Encode of the pass's kind; false when its result is not the expected one.
    template <class Barcode>
    bool Run(Barcode* barcode, size_t index) {
        const Pass& pass = kPasses[index % std::size(kPasses)];
        LONG x = pass.x;
        barcode->put_XPosition(&x);
        barcode->put_Orientation(static_cast<::Orientations>(pass.orientation));
        barcode->put_VisibleCode(pass.caption ? VARIANT_TRUE : VARIANT_FALSE);
        barcode->put_EncodeString(texts_[index % std::size(kPasses)].Get());
        switch (pass.target) {
            case Target::kPictureBox: barcode->putref_DeviceObject(box_.Get()); break;
            case Target::kNone: barcode->putref_DeviceObject(nullptr); break;
            case Target::kFaulty: barcode->putref_DeviceObject(&faulty_); break;
        }
        const bool label = std::is_same_v<Barcode, _Quillant2>;
        return EncodeText(barcode) == (label && pass.label ? pass.label : pass.expected);
    }
    bool Run(size_t index) { return Run(barcode_.Get(), index); }

    // Ten thousand Encodes of one class: a leak of anything at all would
    // show a thousand times over.
    template <class Barcode>
    void LeakCheck(Barcode* barcode, const char* name) {
        SCOPED_TRACE(name);
        // The first passes fill what stays: type information, name tables, the
        // caption font's face, the error objects of the thread.
        for (size_t i = 0; i < 200; ++i) ASSERT_TRUE(Run(barcode, i)) << "pass " << i % std::size(kPasses);
        const ProcessUsage before = MeasureUsage();
        const auto start = std::chrono::steady_clock::now();
        int wrong = 0;
        constexpr size_t kEncodes = 10000;
        for (size_t i = 0; i < kEncodes; ++i) wrong += Run(barcode, i) ? 0 : 1;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        barcode->putref_DeviceObject(nullptr);
        SetErrorInfo(0, nullptr);
        const ProcessUsage after = MeasureUsage();
        std::printf("%s: %zu Encodes in %.2f s (%.0f us each): %s\n", name, kEncodes, seconds,
                    seconds * 1e6 / kEncodes, DescribeChange(before, after).c_str());

        EXPECT_EQ(wrong, 0);
        EXPECT_LT(after.heapBytes, before.heapBytes + kEncodes);
        EXPECT_LT(after.privateBytes, before.privateBytes + 256 * 1024);
        EXPECT_LE(after.handles, before.handles);
        EXPECT_LE(after.nextHandle, before.nextHandle);
        EXPECT_LT(after.gdiObjects, before.gdiObjects + 16);
        EXPECT_EQ(faulty_.references(), 1u);
    }

    ComPtr<_Quillant1> barcode_;
    ComPtr<_Quillant2> label_;
    ComPtr<IPictureBox> box_;
    FaultyTarget faulty_{{L"Line", S_OK, RaiseInLine}};
    std::vector<Bstr> texts_;
};

TEST_F(EncodeLoop, TenThousandEncodesLeaveNothingBehind) {
    LeakCheck(barcode_.Get(), "Quillant1");
    LeakCheck(label_.Get(), "Quillant2");
}

// A turned caption needs the advanced graphics mode, and GDI paints boxes a
// pixel larger there: the DC must go back to the mode it had. Ten symbols,
// each with its caption, must come out as the first did: on a picture box,
// and on a printer page, where the caption is measured on the page and
// painted from the scratch picture.
TEST_F(EncodeLoop, RepeatedTurnedCaptionsDrawTheSamePicture) {
    constexpr int kEncodes = 10;
    LONG x = 600;
    ASSERT_HRESULT_SUCCEEDED(barcode_->put_XPosition(&x));
    ASSERT_HRESULT_SUCCEEDED(barcode_->put_Orientation(::bcVertical));
    ASSERT_HRESULT_SUCCEEDED(barcode_->put_EncodeString(Bstr(std::wstring_view(L"STA-TWO 4711")).Get()));
    ASSERT_HRESULT_SUCCEEDED(barcode_->putref_DeviceObject(box_.Get()));
    ASSERT_EQ(EncodeText(barcode_.Get()), L"Sucess");
    long dc = 0;
    ASSERT_HRESULT_SUCCEEDED(box_->get_hDC(&dc));
    EXPECT_EQ(GetGraphicsMode(reinterpret_cast<HDC>(static_cast<INT_PTR>(dc))), GM_COMPATIBLE);
    const Pixels first = PixelsOf(box_.Get());
    for (int i = 1; i < kEncodes; ++i) {
        ASSERT_HRESULT_SUCCEEDED(box_->Cls());
        ASSERT_EQ(EncodeText(barcode_.Get()), L"Sucess");
        EXPECT_TRUE(PixelsOf(box_.Get()) == first) << "picture box, Encode " << i + 1;
    }

    const ComPtr<IPrinter> printer = NewPrinter();
    ASSERT_TRUE(printer);
    ASSERT_HRESULT_SUCCEEDED(printer->put_Width(4320));
    ASSERT_HRESULT_SUCCEEDED(printer->put_Height(5760));
    ASSERT_HRESULT_SUCCEEDED(barcode_->putref_DeviceObject(printer.Get()));
    // One symbol on the first page; on the second the same symbol ten times,
    // in the same place: each later one drawn on the DC the one before left.
    std::vector<std::vector<BYTE>> pages;
    for (int encodes : {1, kEncodes}) {
        const wchar_t* file = encodes == 1 ? L"turned_caption_once.png" : L"turned_caption_twice.png";
        ASSERT_HRESULT_SUCCEEDED(printer->put_OutputFile(Bstr(std::wstring_view(file)).Get()));
        for (int i = 0; i < encodes; ++i) ASSERT_EQ(EncodeText(barcode_.Get()), L"Sucess");
        ASSERT_HRESULT_SUCCEEDED(printer->EndDoc());
        pages.push_back(FileBytes(file));
        DeleteFileW(file);
    }
    EXPECT_FALSE(pages[0].empty());
    EXPECT_TRUE(pages[0] == pages[1]) << "printer: drawing the symbol again changed the page";
}

// The printer's path: every module as five lines into the page's metafile,
// and turned captions drawn on the shared scratch picture and painted onto
// the page. The host ends its documents; the page's records go with them.
TEST_F(EncodeLoop, AThousandTurnedCaptionsOnAPrinterLeaveNothingBehind) {
    const ComPtr<IPrinter> printer = NewPrinter();
    ASSERT_TRUE(printer);
    ASSERT_HRESULT_SUCCEEDED(barcode_->putref_DeviceObject(printer.Get()));
    ASSERT_HRESULT_SUCCEEDED(barcode_->put_Orientation(::bcVertical));
    LONG x = 1800;
    ASSERT_HRESULT_SUCCEEDED(barcode_->put_XPosition(&x));
    auto run = [&](int i) {
        const std::wstring text = L"LOT " + std::to_wstring(100000 + i);
        barcode_->put_EncodeString(Bstr(text).Get());
        const bool ok = EncodeText(barcode_.Get()) == L"Sucess";
        if (i % 50 == 49) printer->KillDoc();
        return ok;
    };
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(run(i));
    const ProcessUsage before = MeasureUsage();
    int wrong = 0;
    constexpr int kEncodes = 1000;
    for (int i = 0; i < kEncodes; ++i) wrong += run(i) ? 0 : 1;
    const ProcessUsage after = MeasureUsage();
    std::printf("%d printer Encodes: %s\n", kEncodes, DescribeChange(before, after).c_str());

    EXPECT_EQ(wrong, 0);
    EXPECT_LT(after.heapBytes, before.heapBytes + kEncodes * 8);
    EXPECT_LT(after.privateBytes, before.privateBytes + 256 * 1024);
    EXPECT_LE(after.handles, before.handles);
    EXPECT_LE(after.nextHandle, before.nextHandle);
    EXPECT_LT(after.gdiObjects, before.gdiObjects + 16);
}

}  // namespace
}  // namespace quillant::testing
