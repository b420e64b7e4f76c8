// The comparison for ImageBytes("png"): libzint draws the same texts as
// Code 128 PNGs with their human-readable text, modules of 3 pixels (scale
// 1.5), half an inch high at 300 dpi, each written to a file in a
// memory-backed folder (zint writes PNGs to files only). Prints images a
// second.
//
//   zint_png_loop FOLDER [IMAGES]

#include <zint.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench_texts.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: zint_png_loop FOLDER [IMAGES]\n", stderr);
        return 64;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 2000;
    const auto& texts = quillant::bench::ImageTexts();
    const auto start = std::chrono::steady_clock::now();
    int made = 0;
    for (int i = 0; i < count; ++i) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_CODE128;
        symbol->scale = 1.5f;
        symbol->height = 50;  // modules: 150 pixels, half an inch at 300 dpi
        const std::string file = std::string(argv[1]) + "/" + std::to_string(i % 16) + ".png";
        std::strncpy(symbol->outfile, file.c_str(), sizeof symbol->outfile - 1);
        const std::string& text = texts[i % texts.size()];
        if (ZBarcode_Encode_and_Print(symbol, reinterpret_cast<const unsigned char*>(text.data()),
                                      static_cast<int>(text.size()), 0) < ZINT_ERROR) {
            ++made;
        }
        ZBarcode_Delete(symbol);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("libzint PNG %8.0f images/s (%d images)\n", made / seconds, made);
    return made == count ? 0 : 1;
}
