// Draws a module string as a PGM for the command-line checks:
//   write_symbol MODULES DOTS_PER_MODULE OUT.pgm [QUIET_MODULES]

#include <cstdlib>
#include <exception>
#include <iostream>

#include "tests/grading/synthetic_symbol.h"

int main(int argc, char** argv) {
    using namespace quillant::grading::testing;
    if (argc != 4 && argc != 5) {
        std::cerr << "usage: write_symbol MODULES DOTS_PER_MODULE OUT.pgm [QUIET_MODULES]\n";
        return 64;
    }
    Drawing drawing;
    drawing.dotsPerModule = std::atof(argv[2]);
    if (argc == 5) drawing.quietModules = std::atoi(argv[4]);
    try {
        WritePgm(DrawSymbol(argv[1], drawing), argv[3]);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
