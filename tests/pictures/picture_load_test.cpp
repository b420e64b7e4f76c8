// Many threads making images at once, as ASP's pages do: two single-threaded
// apartments and two threads of the multithreaded one, each with its own
// Quillant2, 2,000 PNGs apiece of different texts and turns. Every image is
// the one a single thread makes for the same properties, byte for byte, and
// the process holds no more handles, GDI objects or memory afterwards.

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/pictures/picture_client.h"
#include "tests/support/process_usage.h"
#include "win32/kernel_handle.h"

namespace quillant::testing {
namespace {

constexpr int kImagesPerThread = 2000;
constexpr int kWarmUpImages = 50;
const wchar_t* const kTexts[] = {L"LOAD-0001", L"Thread 42", L"(01)09501101530003(10)A1", L"abc 123 XYZ",
                                 L"9780201633610"};
constexpr int kJobs = static_cast<int>(std::size(kTexts)) * 4;

void Configure(const LateBound& label, int job) {
    const std::wstring text = kTexts[job % std::size(kTexts)];
    label.Put(L"Symbology", text[0] == L'(' ? 2 : 1);
    label.Put(L"EncodeString", text);
    label.Put(L"Orientation", 1 + job / static_cast<int>(std::size(kTexts)));
}

std::vector<uint8_t> Image(const LateBound& label, int job) {
    Configure(label, job);
    return BytesOf(label.Call(L"ImageBytes", {Arg(L"png"), Arg(203)}));
}

struct Outcome {
    int images = 0;
    int different = 0;
    int failures = 0;
};

void MakeImages(DWORD apartment, int count, int offset, const std::vector<std::vector<uint8_t>>& expected,
                HANDLE start, Outcome& outcome) {
    if (FAILED(CoInitializeEx(nullptr, apartment))) return;
    {
        const LateBound label = NewLabel();
        WaitForSingleObject(start, INFINITE);
        for (int i = 0; i < count; ++i) {
            const int job = (i + offset) % kJobs;
            try {
                outcome.different += Image(label, job) != expected[job] ? 1 : 0;
            } catch (const VbError&) {
                ++outcome.failures;
            }
            ++outcome.images;
        }
    }
    CoUninitialize();
}

// Two threads in single-threaded apartments and two in the multithreaded
// one, each making count images once they all stand ready.
std::vector<Outcome> RunThreads(int count, const std::vector<std::vector<uint8_t>>& expected) {
    const win32::KernelHandle startEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const DWORD apartments[] = {COINIT_APARTMENTTHREADED, COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED,
                                COINIT_MULTITHREADED};
    std::vector<Outcome> outcomes(std::size(apartments));
    std::vector<std::thread> threads;
    for (size_t i = 0; i < std::size(apartments); ++i) {
        threads.emplace_back(MakeImages, apartments[i], count, static_cast<int>(i * 7), std::cref(expected),
                             startEvent.Get(), std::ref(outcomes[i]));
    }
    SetEvent(startEvent.Get());
    for (std::thread& thread : threads) thread.join();
    return outcomes;
}

TEST(PictureLoad, FourThreadsInTwoKindsOfApartmentMakeTheSameImagesAsOne) {
    std::vector<std::vector<uint8_t>> expected;
    {
        const LateBound label = NewLabel();
        for (int job = 0; job < kJobs; ++job) expected.push_back(Image(label, job));
        // The first images fill what stays: type information, fonts, WIC.
        for (int job = 0; job < kJobs; ++job) Image(label, job);
    }
    // A short round first: what each new thread and apartment sets up once.
    RunThreads(kWarmUpImages, expected);
    const ProcessUsage before = MeasureUsage();
    const auto began = std::chrono::steady_clock::now();
    const std::vector<Outcome> outcomes = RunThreads(kImagesPerThread, expected);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    const ProcessUsage after = MeasureUsage();
    int images = 0;
    for (const Outcome& outcome : outcomes) {
        images += outcome.images;
        EXPECT_EQ(outcome.images, kImagesPerThread);  // the measured round
        EXPECT_EQ(outcome.failures, 0);
        EXPECT_EQ(outcome.different, 0);
    }
    std::printf("%d images on 4 threads in %.2f s (%.0f a second): %s\n", images, seconds, images / seconds,
                DescribeChange(before, after).c_str());
    EXPECT_LT(after.privateBytes, before.privateBytes + 1024 * 1024);
    EXPECT_LE(after.handles, before.handles);
    EXPECT_LE(after.nextHandle, before.nextHandle + 16);
    EXPECT_LT(after.gdiObjects, before.gdiObjects + 16);
}

// An object keeps its canvas (memory, DC, fonts) from one image to the
// next: nothing of one image may show in the next. Images of many looks,
// made one after the other by one object and back again, are each the
// image a new object makes.
TEST(PictureLoad, AKeptCanvasCarriesNothingFromOneImageToTheNext) {
    struct Look {
        const wchar_t* text;
        int orientation, position, dpi;
        bool bold, italic;
        double size;  // points
        int fore, back;
        const wchar_t* format;
    };
    const Look looks[] = {
        {L"LOAD-0001", 1, 0, 203, false, false, 10.5, 0, 0xFFFFFF, L"png"},
        {L"Thread 42", 2, 1, 300, true, false, 14, 0x8000, 0xE0FFFF, L"png"},
        {L"abc", 3, 2, 600, false, true, 9, 0, -1, L"png"},
        {L"9780201633610", 4, 0, 96, true, true, 6, 0x400080, 0xFFFFFF, L"bmp"},
        {L"LOAD-0001", 1, 1, 203, false, false, 22, 0, 0xFFFFFF, L"dib"},
    };
    auto make = [](const LateBound& label, const Look& look) {
        label.Put(L"EncodeString", std::wstring(look.text));
        label.Put(L"Orientation", look.orientation);
        label.Put(L"CaptionPosition", look.position);
        label.Put(L"ForeColor", look.fore);
        label.Put(L"BackColor", look.back);
        win32::Variant font = label.Get(L"CaptionFont");
        const LateBound captionFont(win32::ComPtr<IDispatch>(V_DISPATCH(font.Get())));
        captionFont.Put(L"Bold", look.bold);
        captionFont.Put(L"Italic", look.italic);
        captionFont.Put(L"Size", look.size);
        return BytesOf(label.Call(L"ImageBytes", {Arg(std::wstring(look.format)), Arg(look.dpi)}));
    };
    std::vector<std::vector<uint8_t>> fresh;
    for (const Look& look : looks) fresh.push_back(make(NewLabel(), look));
    const LateBound label = NewLabel();
    for (int round = 0; round < 2; ++round) {
        for (size_t i = 0; i < std::size(looks); ++i) {
            const size_t at = round == 0 ? i : std::size(looks) - 1 - i;
            EXPECT_EQ(make(label, looks[at]), fresh[at]) << "look " << at << ", round " << round;
        }
    }
}

// One object called by two threads of the multithreaded apartment at once:
// each call draws on memory of its own, whichever of them holds the memory
// the object keeps between images.
TEST(PictureLoad, OneObjectOnTwoThreadsAtOnceMakesItsImageEachTime) {
    int different = -1;
    std::thread owner([&] {
        if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return;
        {
            const LateBound label = NewLabel();
            Configure(label, 2);
            const std::vector<uint8_t> expected = BytesOf(label.Call(L"ImageBytes", {Arg(L"png"), Arg(203)}));
            std::atomic<int> count{0};
            auto draw = [&] {
                if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return;
                for (int i = 0; i < 300; ++i) {
                    if (BytesOf(label.Call(L"ImageBytes", {Arg(L"png"), Arg(203)})) != expected) ++count;
                }
                CoUninitialize();
            };
            std::thread first(draw), second(draw);
            first.join();
            second.join();
            different = count;
        }
        CoUninitialize();
    });
    owner.join();
    EXPECT_EQ(different, 0);
}

}  // namespace
}  // namespace quillant::testing
