// quillant-zpl-graphic: turns the bitmap a ZPL job downloads (~DG) back into
// a picture, so that a label printed through a real spooler (CUPS's Zebra
// driver, caught by scripts/zpl_listener.py) can be graded and read like the
// pictures the component writes itself.
//
//   quillant-zpl-graphic [--dpi N] JOB.zpl LABEL.png
//
// Writes an 8-bit grey PNG, black dots 0 and the rest 255, its resolution
// N dots an inch (default 203, the Zebra driver's). The picture is the
// graphic as sent, first row on top: that is the page as drawn, whatever ^PO
// does to it on paper. A job with more graphics (one a page) writes
// LABEL-2.png and so on for the second and later. Prints a line a graphic:
//   graphic NAME WIDTHxHEIGHT dots, BYTES bytes a row, at X,Y, orientation O: FILE
//
// Exit status: 0 written, 1 the job or the file could not be read or
// written, 64 a wrong command line.

#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/zpl/zpl_graphic.h"

namespace {

using quillant::zpl::Graphic;

std::string PageFileName(const std::string& path, size_t index) {
    if (index == 0) return path;
    const size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = path.size();
    return path.substr(0, dot) + "-" + std::to_string(index + 1) + path.substr(dot);
}

// Only plain C data lives across libpng's longjmp.
bool WriteGreyPng(FILE* file, png_uint_32 width, png_uint_32 height, png_bytepp rows, png_uint_32 perMetre) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

void WritePng(const Graphic& graphic, int dpi, const std::string& path) {
    const size_t width = graphic.Width();
    std::vector<png_byte> pixels(width * graphic.rows);
    std::vector<png_bytep> rows(graphic.rows);
    for (size_t y = 0; y < graphic.rows; ++y) {
        rows[y] = pixels.data() + y * width;
        for (size_t x = 0; x < width; ++x) rows[y][x] = graphic.Black(x, y) ? 0 : 255;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) throw std::runtime_error("cannot write " + path);
    const auto perMetre = static_cast<png_uint_32>(std::lround(dpi / 0.0254));
    if (!WriteGreyPng(file.get(), static_cast<png_uint_32>(width), static_cast<png_uint_32>(graphic.rows), rows.data(),
                      perMetre)) {
        throw std::runtime_error("libpng failed writing " + path);
    }
}

int Usage() {
    std::cerr << "usage: quillant-zpl-graphic [--dpi N] JOB.zpl LABEL.png\n";
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int dpi = 203;
    if (args.size() == 4 && args[0] == "--dpi") {
        dpi = std::atoi(args[1].c_str());
        args.erase(args.begin(), args.begin() + 2);
        if (dpi <= 0) return Usage();
    }
    if (args.size() != 2) return Usage();
    try {
        std::ifstream in(args[0], std::ios::binary);
        if (!in) throw std::runtime_error("cannot read " + args[0]);
        const std::string job{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const std::vector<Graphic> graphics = quillant::zpl::ReadGraphics(job);
        for (size_t i = 0; i < graphics.size(); ++i) {
            const Graphic& graphic = graphics[i];
            const std::string file = PageFileName(args[1], i);
            WritePng(graphic, dpi, file);
            std::cout << "graphic " << graphic.name << " " << graphic.Width() << "x" << graphic.rows << " dots, "
                      << graphic.bytesPerRow << " bytes a row, at " << graphic.originX << "," << graphic.originY
                      << ", orientation " << graphic.orientation << ": " << file << "\n";
        }
    } catch (const std::exception& error) {
        std::cerr << "quillant-zpl-graphic: " << args[0] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
