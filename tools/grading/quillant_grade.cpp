// quillant-grade: grades the Code 128 symbol in a picture after ISO/IEC 15416.
//
//   quillant-grade [--crop X,Y,W,H] [--orientation 0|90|180|270] [--expect A|B|C|D] PICTURE
//
// PICTURE is a PNG or PGM file. --crop grades only that rectangle (pixels of
// the picture as stored); the symbol's quiet zones must lie inside it.
// --orientation is how far the symbol is turned counter-clockwise: 90 reads
// from bottom to top, 270 from top to bottom; without it 0 and 90 are tried
// (180 and 270 read back to front, which the grader reads as well).
//
// Prints every scan line's parameters and the symbol's grade. Exit status: 0
// graded (and at least the expected grade), 1 below the expected grade (the
// reasons on standard error), 2 no symbol or an unreadable picture, 64 a
// wrong command line.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "tools/grading/grade_report.h"
#include "tools/grading/picture_file.h"
#include "tools/grading/symbol_grade.h"

namespace {

using quillant::grading::GradingRequest;
using quillant::grading::Region;

struct Options {
    GradingRequest request;
    std::optional<char> expected;
    std::string path;
};

[[noreturn]] void Usage(const std::string& why) {
    std::cerr << "quillant-grade: " << why << "\n"
              << "usage: quillant-grade [--crop X,Y,W,H] [--orientation 0|90|180|270] [--expect A|B|C|D] PICTURE\n";
    std::exit(64);
}

Region ParseRegion(const std::string& text) {
    Region region;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &region.x, &region.y, &region.width, &region.height, &tail) !=
        4) {
        Usage("--crop wants X,Y,W,H, not '" + text + "'");
    }
    return region;
}

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto next = [&]() -> std::string {
            if (++i >= argc) Usage(arg + " wants a value");
            return argv[i];
        };
        if (arg == "--crop") {
            options.request.region = ParseRegion(next());
        } else if (arg == "--orientation") {
            const std::string value = next();
            if (value != "0" && value != "90" && value != "180" && value != "270") {
                Usage("--orientation is 0, 90, 180 or 270, not '" + value + "'");
            }
            options.request.orientation = std::stoi(value);
        } else if (arg == "--expect") {
            const std::string value = next();
            if (value.size() != 1 || value[0] < 'A' || value[0] > 'D') Usage("--expect is A, B, C or D");
            options.expected = value[0];
        } else if (arg.rfind("--", 0) == 0 || !options.path.empty()) {
            Usage("unexpected '" + arg + "'");
        } else {
            options.path = arg;
        }
    }
    if (options.path.empty()) Usage("no picture");
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quillant::grading;
    const Options options = Parse(argc, argv);
    try {
        const GreyPicture picture = ReadPicture(options.path);
        std::cout << options.path << ": " << picture.width << "x" << picture.height << " pixels\n";
        const SymbolGrade symbol = GradeSymbol(picture, options.request);
        std::cout << Report(symbol) << std::flush;
        if (!symbol.found) {
            std::cerr << options.path << ": no symbol: " << symbol.failure << "\n";
            return 2;
        }
        if (options.expected) {
            const auto reasons = Shortfalls(symbol, *options.expected);
            if (!reasons.empty()) {
                std::cerr << options.path << ": grade " << LetterOf(symbol.grade) << ", below "
                          << *options.expected << ":\n";
                for (const auto& reason : reasons) std::cerr << "  " << reason << "\n";
                return 1;
            }
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quillant-grade: " << error.what() << "\n";
        return 2;
    }
}
