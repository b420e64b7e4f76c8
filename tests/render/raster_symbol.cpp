// Draws one Encode through the recording fake and paints its filled boxes into
// a greyscale image, so an independent reader (zbarimg) can say whether the
// bars the renderer asks for form the symbol of the text.
//
//   raster_symbol TEXT ORIENTATION(1|2) PRINTER(0|1) INDENTED(0|1) OUT.pgm
//
// One scale unit is one pixel: ElementWidth 3, BarHeight 150, a 30-pixel
// quiet zone. Boxes fill both corners inclusive, and a later box paints over
// an earlier one, as on a drawing object.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/render/scene.h"

namespace {

using namespace quillant;
using namespace quillant::render;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: raster_symbol TEXT ORIENTATION PRINTER INDENTED OUT.pgm\n");
        return 2;
    }
    BarcodeProperties p;
    const std::string text = argv[1];
    p.encodeString.assign(text.begin(), text.end());
    p.orientation = std::atoi(argv[2]);
    p.indentedCode = static_cast<int16_t>(-std::atoi(argv[4]));
    p.elementWidth = 3;
    p.barHeight = 150;
    p.xPosition = 30;
    p.yPosition = 30;

    fake::Scene scene;
    scene.target.printer = std::atoi(argv[3]) != 0;
    // A caption about as large as OCR-A would set it at this size.
    scene.target.textWidth = 9.0 * static_cast<double>(text.size());
    scene.target.textHeight = 16;
    const std::string result = scene.Encode(p);
    if (result != kEncodeSucceeded) {
        std::fprintf(stderr, "Encode: %s\n", result.c_str());
        return 1;
    }

    const int modules = ModuleCount(p.encodeString, Encoding::Quillant1);
    const int length = modules * p.elementWidth + 60;
    const int across = p.barHeight + 60;
    const int width = p.orientation == bcHorizontal ? length : across;
    const int height = p.orientation == bcHorizontal ? across : length;
    std::vector<unsigned char> pixels(static_cast<size_t>(width * height), 255);

    Color fore = kBlack;
    for (const auto& entry : scene.log()) {
        if (entry.rfind("ForeColor=", 0) == 0) fore = static_cast<Color>(std::stoul(entry.substr(10)));
        if (entry.rfind("Line(", 0) != 0) continue;
        const auto a = fake::Arguments(entry);
        const auto style = static_cast<int>(a[0]);
        if (style == static_cast<int>(LineStyle::kBoxOutline)) continue;  // inside the filled box anyway
        const Color color = style == static_cast<int>(LineStyle::kFilledBoxColor) ? static_cast<Color>(a[5]) : fore;
        const unsigned char grey = color == kBlack ? 0 : 255;
        const int x1 = static_cast<int>(std::lround(std::min(a[1], a[3])));
        const int x2 = static_cast<int>(std::lround(std::max(a[1], a[3])));
        const int y1 = static_cast<int>(std::lround(std::min(a[2], a[4])));
        const int y2 = static_cast<int>(std::lround(std::max(a[2], a[4])));
        for (int y = std::max(y1, 0); y <= std::min(y2, height - 1); ++y) {
            for (int x = std::max(x1, 0); x <= std::min(x2, width - 1); ++x) {
                pixels[static_cast<size_t>(y * width + x)] = grey;
            }
        }
    }

    std::ofstream out(argv[5], std::ios::binary);
    out << "P5\n" << width << ' ' << height << "\n255\n";
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    return out ? 0 : 1;
}
