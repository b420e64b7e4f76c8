// Quillant1 objects drawing at the same time on different threads: two
// single-threaded apartments, each with its own object and picture box, and
// two printers with turned captions (one thread in the multithreaded
// apartment), which take turns on the library's one scratch picture. Every
// Encode must succeed; the pictures are written here and scanned by
// hardening.apartments.scan.*.

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "win32/bstr.h"
#include "tests/hardening/faulty_target.h"
#include "tests/hardening/hardening_support.h"
#include "win32/kernel_handle.h"

namespace quillant::testing {
namespace {

using win32::Bstr;
using win32::ComPtr;

struct Job {
    const wchar_t* text;
    const wchar_t* file;
    DWORD apartment;
    bool printer;
    int orientation;
    int encodes;
};

// The files and texts are also named in CMakeLists.txt, for the scan.
const Job kJobs[] = {
    {L"STA-ONE 2024", L"apartment_one.png", COINIT_APARTMENTTHREADED, false, 1, 400},
    {L"STA-TWO 4711", L"apartment_two.png", COINIT_APARTMENTTHREADED, false, 2, 400},
    {L"PRINTER-STA 31415", L"apartment_printer_sta.png", COINIT_APARTMENTTHREADED, true, 2, 150},
    {L"PRINTER-MTA 27182", L"apartment_printer_mta.png", COINIT_MULTITHREADED, true, 2, 150},
};

struct Outcome {
    int failures = 0;
    std::wstring firstFailure;
    HRESULT written = E_FAIL;
};

// Two pixels (30 twips) a module on the 96 dpi picture box, ten pixels
// (24 twips) on the 600 dpi page, a quiet zone all round.
void Configure(_Quillant1* barcode, const Job& job) {
    LONG x = 600, y = 600;
    barcode->put_XPosition(&x);
    barcode->put_YPosition(&y);
    barcode->put_ElementWidth(static_cast<short>(job.printer ? 24 : 30));
    barcode->put_Orientation(static_cast<::Orientations>(job.orientation));
    barcode->put_EncodeString(Bstr(std::wstring_view(job.text)).Get());
}

void Draw(const Job& job, HANDLE start, Outcome& outcome) {
    if (FAILED(CoInitializeEx(nullptr, job.apartment))) return;
    {
        const ComPtr<_Quillant1> barcode = NewBarcode();
        ComPtr<IDispatch> device;
        ComPtr<IPictureBox> box;
        ComPtr<IPrinter> printer;
        if (job.printer) {
            printer = NewPrinter();
            printer->put_Width(5760);
            printer->put_Height(7200);
            printer->put_OutputFile(Bstr(std::wstring_view(job.file)).Get());
            printer.As(device);
        } else {
            box = NewPictureBox();
            box->put_Width(job.orientation == 1 ? 8400 : 3600);
            box->put_Height(job.orientation == 1 ? 3000 : 8400);
            box.As(device);
        }
        if (barcode && device) {
            Configure(barcode.Get(), job);
            barcode->putref_DeviceObject(device.Get());
            WaitForSingleObject(start, INFINITE);
            for (int i = 0; i < job.encodes; ++i) {
                // The page keeps every symbol drawn on it; a fresh one now and then.
                if (printer && i % 50 == 0) printer->KillDoc();
                const std::wstring result = EncodeText(barcode.Get());
                if (result != L"Sucess" && outcome.failures++ == 0) outcome.firstFailure = result;
            }
            outcome.written = printer ? printer->EndDoc() : box->SavePicture(Bstr(std::wstring_view(job.file)).Get());
        }
    }
    CoUninitialize();
}

TEST(Apartments, ObjectsOnTheirOwnThreadsDrawAtTheSameTime) {
    const win32::KernelHandle startEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(startEvent);
    const HANDLE start = startEvent.Get();
    std::vector<Outcome> outcomes(std::size(kJobs));
    std::vector<std::thread> threads;
    for (size_t i = 0; i < std::size(kJobs); ++i) {
        DeleteFileW(kJobs[i].file);
        threads.emplace_back(Draw, std::cref(kJobs[i]), start, std::ref(outcomes[i]));
    }
    Sleep(200);  // every thread made its objects and waits
    SetEvent(start);
    for (std::thread& thread : threads) thread.join();

    for (size_t i = 0; i < std::size(kJobs); ++i) {
        const std::string text(kJobs[i].text, kJobs[i].text + wcslen(kJobs[i].text));
        EXPECT_EQ(outcomes[i].failures, 0) << text << ": first failure "
                                           << std::string(outcomes[i].firstFailure.begin(),
                                                          outcomes[i].firstFailure.end());
        EXPECT_EQ(outcomes[i].written, S_OK) << text << ": picture not written";
        EXPECT_NE(GetFileAttributesW(kJobs[i].file), INVALID_FILE_ATTRIBUTES) << text;
    }
}

// Runs body on a thread of its own in a single-threaded apartment.
template <class Body>
std::thread InApartment(Body body) {
    return std::thread([body] {
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return;
        body();
        CoUninitialize();
    });
}

// A printer's object belongs to the apartment that made it: handed to
// another one, its calls would bypass marshalling.
TEST(Apartments, EachApartmentHasADefaultPrinterOfItsOwn) {
    const auto printerOf = [](_Quillant1* barcode) {
        ComPtr<IDispatch> device;
        barcode->get_DeviceObject(device.Put());
        ComPtr<IUnknown> identity;
        device.As(identity);
        return identity;
    };
    const ComPtr<_Quillant1> first = NewBarcode();
    const ComPtr<_Quillant1> second = NewBarcode();
    EXPECT_EQ(printerOf(first.Get()).Get(), printerOf(second.Get()).Get()) << "one apartment shares its printer";
    // The other thread's printer is compared while it is still alive.
    std::atomic<IUnknown*> other{nullptr};
    std::atomic<bool> compared{false};
    std::thread thread = InApartment([&] {
        const ComPtr<_Quillant1> barcode = NewBarcode();
        const ComPtr<IUnknown> printer = printerOf(barcode.Get());
        other = printer.Get();
        while (!compared) Sleep(1);
    });
    while (!other) Sleep(1);
    EXPECT_NE(other.load(), printerOf(first.Get()).Get());
    compared = true;
    thread.join();
}

// Two hosts' printers drawing at the same time, each waiting in its first
// Line for the other to reach its own: a lock held across the drawing would
// keep the second out until the first gave up.
std::atomic<int> arrivedInLine{0};
std::atomic<bool> waitedInVain{false};
HRESULT MeetTheOtherThread(VARIANT*, EXCEPINFO*) {
    thread_local bool met = false;
    if (!met) {
        met = true;
        ++arrivedInLine;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (arrivedInLine < 2 && std::chrono::steady_clock::now() < deadline) Sleep(1);
        if (arrivedInLine < 2) waitedInVain = true;
    }
    return S_OK;
}

TEST(Apartments, NoLockIsHeldWhileAHostPrinterDraws) {
    std::wstring results[2];
    std::vector<std::thread> threads;
    for (std::wstring& result : results) {
        threads.push_back(InApartment([&result] {
            FaultyTarget printer({L"Line", S_OK, MeetTheOtherThread, /*printer=*/true});
            {
                const ComPtr<_Quillant1> barcode = NewBarcode();
                barcode->putref_DeviceObject(&printer);
                result = EncodeText(barcode.Get());
            }
        }));
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_FALSE(waitedInVain) << "one Encode waited for the other to finish drawing";
    EXPECT_EQ(arrivedInLine, 2);
    for (const std::wstring& result : results) EXPECT_EQ(std::string(result.begin(), result.end()), "Sucess");
}

}  // namespace
}  // namespace quillant::testing
