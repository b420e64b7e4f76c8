// ImageBytes("png") as a server makes them, timed under Wine: images a
// second on one thread, then on two at once (each thread its own Quillant2
// in the multithreaded apartment). The texts are bench_texts.h's, the same
// ones zint_png_loop draws; modules of 3 pixels (ElementWidth 15 at 300 dpi)
// with the caption, as zint draws them at scale 1.5.
//
//   image_bench.exe [IMAGES_PER_THREAD [FORMAT [THREADS]]]
//
// THREADS times only that many threads (for a profiler).

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "Quillant_h.h"
#include "bench/bench_texts.h"
#include "tests/support/in_proc_server.h"
#include "tests/support/late_bound.h"

namespace {

using quillant::testing::Arg;
using quillant::testing::InProcServer;
using quillant::testing::LateBound;

const InProcServer& Component() {
    static const InProcServer server(L"Quillant.dll");
    return server;
}

std::wstring format = L"png";

// Images made, and bytes, on this thread.
long long MakeImages(int count, int offset) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return -1;
    long long bytes = 0;
    {
        quillant::win32::ComPtr<IDispatch> object;
        if (FAILED(Component().Create(CLSID_Quillant2, object))) return -1;
        const LateBound label(object);
        label.Put(L"ElementWidth", 15);
        label.Put(L"BarHeight", 720);
        const auto& texts = quillant::bench::ImageTexts();
        for (int i = 0; i < count; ++i) {
            const std::string& text = texts[(i + offset) % texts.size()];
            label.Put(L"EncodeString", std::wstring(text.begin(), text.end()));
            quillant::win32::Variant png = label.Call(L"ImageBytes", {Arg(format), Arg(300)});
            bytes += V_ARRAY(png.Get())->rgsabound[0].cElements;
        }
    }
    CoUninitialize();
    return bytes;
}

double ImagesPerSecond(int threads, int perThread) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> running;
    std::atomic<bool> failed{false};
    for (int t = 0; t < threads; ++t) {
        running.emplace_back([&, t] {
            if (MakeImages(perThread, t * 17) < 0) failed = true;
        });
    }
    for (std::thread& thread : running) thread.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (failed) std::puts("FAIL an image could not be made");
    return threads * perThread / seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int perThread = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (argc > 2) format = std::wstring(argv[2], argv[2] + std::strlen(argv[2]));
    MakeImages(50, 0);  // loads the server and the caption's font
    if (argc > 3) {
        const int threads = std::atoi(argv[3]);
        std::printf("%d threads %8.0f images/s\n", threads, ImagesPerSecond(threads, perThread));
        return 0;
    }
    const double one = ImagesPerSecond(1, perThread);
    const double two = ImagesPerSecond(2, perThread);
    const std::string name(format.begin(), format.end());
    std::printf("ImageBytes(\"%s\") 1 thread  %8.0f images/s\n", name.c_str(), one);
    std::printf("ImageBytes(\"%s\") 2 threads %8.0f images/s  (%.2fx one thread)\n", name.c_str(), two, two / one);
    return 0;
}
